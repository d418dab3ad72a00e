#pragma once
#include <string>

namespace platform {

// Starts playing the named sound (a file or a system sound name) and returns at once,
// without waiting for a busy sound device.
void PlaySoundAsync(const std::string& name);
// The system's default beep.
void PlayDefaultBeep();

}  // namespace platform
