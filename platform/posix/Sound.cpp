#include "platform/Sound.h"

namespace platform {

// Silent: the native build has no window and runs only the automatic mode, which never
// announces the end of a run.
void PlaySoundAsync(const std::string&) {}

void PlayDefaultBeep() {}

}  // namespace platform
