#include "platform/Sound.h"

#include <windows.h>
#include <mmsystem.h>

namespace platform {

void PlaySoundAsync(const std::string& name)
{
    ::PlaySoundA(name.c_str(), nullptr, SND_ASYNC | SND_NOWAIT);
}

void PlayDefaultBeep()
{
    ::MessageBeep(0);
}

}  // namespace platform
