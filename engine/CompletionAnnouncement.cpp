#include "engine/CompletionAnnouncement.h"

#include "engine/EngineSettings.h"
#include "platform/Sound.h"

void AnnounceCompletion(const EngineSettings* settings, ResultLogViewer& viewer)
{
    const std::string wave = settings ? settings->ReadPlayWave() : std::string();
    if (wave.empty())
        platform::PlayDefaultBeep();
    else
        platform::PlaySoundAsync(wave);
    const int showLog = settings ? settings->ReadShowLog() : 1;
    if (showLog != 0)
        viewer.ShowResultLog();
}
