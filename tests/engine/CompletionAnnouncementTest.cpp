#include "engine/CompletionAnnouncement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/EngineSettings.h"

namespace {

// Records in which order the settings are read and the log is shown.
struct Recorder : EngineSettings, ResultLogViewer {
    int showLog = 1;
    std::string playWave;
    mutable std::vector<std::string> events;

    int ReadBregexp() const override { return 0; }
    int ReadShowLog() const override
    {
        events.push_back("ShowLog");
        return showLog;
    }
    std::string ReadPlayWave() const override
    {
        events.push_back("PlayWave");
        return playWave;
    }
    void ShowResultLog() override { events.push_back("shown"); }
};

using Events = std::vector<std::string>;

}  // namespace

TEST(AnnounceCompletion, SoundFirstThenTheLogWhenEnabled)
{
    const struct {
        int showLog;
        const char* playWave;
        Events events;
    } cases[] = {
        {1, "", {"PlayWave", "ShowLog", "shown"}},
        {0, "", {"PlayWave", "ShowLog"}},
        {-1, "", {"PlayWave", "ShowLog", "shown"}},
        // A sound that cannot be found must not hold the announcement up.
        {1, "no-such-sound-file.wav", {"PlayWave", "ShowLog", "shown"}},
    };
    for (const auto& c : cases) {
        Recorder recorder;
        recorder.showLog = c.showLog;
        recorder.playWave = c.playWave;
        AnnounceCompletion(&recorder, recorder);
        EXPECT_EQ(recorder.events, c.events) << c.showLog << " " << c.playWave;
    }
}

TEST(AnnounceCompletion, DefaultsShowTheLog)
{
    Recorder viewer;
    AnnounceCompletion(nullptr, viewer);
    EXPECT_EQ(viewer.events, Events{"shown"});
}
