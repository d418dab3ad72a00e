#include "app/CompletionAnnouncement.h"

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "tests/support/TestFiles.h"

namespace {

struct CountingViewer : ResultLogViewer {
    int shown = 0;
    void ShowResultLog() override { ++shown; }
};

}  // namespace

TEST(AnnounceCompletion, ShowsTheLogUnlessShowLogIsZero)
{
    const struct {
        const char* settings;
        int shown;
    } cases[] = {
        {"", 1},
        {"[SETTING]\r\nShowLog=1\r\n", 1},
        {"[SETTING]\r\nShowLog=0\r\n", 0},
        {"[SETTING]\r\nShowLog=-1\r\n", 1},
        // A sound that cannot be found must not hold the announcement up.
        {"[SETTING]\r\nShowLog=1\r\nPlayWave=no-such-sound-file.wav\r\n", 1},
        {"[SETTING]\r\nShowLog=0\r\nPlayWave=no-such-sound-file.wav\r\n", 0},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder / "Tarvelox.ini", c.settings);
        SettingsStore settings;
        settings.SetFilePath(folder / "Tarvelox.ini");
        CountingViewer viewer;
        AnnounceCompletion(settings, viewer);
        EXPECT_EQ(viewer.shown, c.shown) << c.settings;
    }
}
