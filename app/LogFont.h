#pragma once
// The fixed-pitch font logs and changes are shown in, so that their columns line up.

// In tenths of a point.
inline constexpr int LogFontSize = 90;
inline constexpr const char* LogFontFace = "ＭＳ ゴシック";
