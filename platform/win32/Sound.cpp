#include "platform/Sound.h"

#include <windows.h>
#include <mmsystem.h>
#include "platform/win32/WideText.h"

namespace platform {

void PlaySoundAsync(const std::string& name)
{
    ::PlaySoundW(WidePath(name).c_str(), nullptr, SND_ASYNC | SND_NOWAIT);
}

void PlayDefaultBeep()
{
    ::MessageBeep(0);
}

}  // namespace platform
