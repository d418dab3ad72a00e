#pragma once
// The message the replace list editor sends its owner when it closes (wParam: the list's
// path as a NUL-terminated string, valid while the message is handled), and the settings
// dialog sends the main window when it is confirmed (wParam 0). The owner loads its replace
// list again. WM_APP + 100.
inline constexpr unsigned int WM_LISTEDITCLOSED = 0x8064;
