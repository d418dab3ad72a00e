#include "app/CompletionAnnouncement.h"

#include "app/SettingsStore.h"
#include "platform/Sound.h"

void AnnounceCompletion(const SettingsStore& settings, ResultLogViewer& viewer)
{
    const std::string wave = settings.ReadText(Setting::PlayWave);
    if (wave.empty())
        platform::PlayDefaultBeep();
    else
        platform::PlaySoundAsync(wave);
    if (settings.ReadSwitch(Setting::ShowLog) != 0)
        viewer.ShowResultLog();
}
