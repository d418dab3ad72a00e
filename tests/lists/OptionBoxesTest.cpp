#include "lists/OptionBoxes.h"

#include <gtest/gtest.h>

TEST(OptionBoxes, EachBoxMapsToItsFlag)
{
    const struct {
        int OptionBoxes::*box;
        PatternOptions option;
    } boxes[] = {
        {&OptionBoxes::NotEscape, NotEscape}, {&OptionBoxes::NotCase, NotCase},
        {&OptionBoxes::RegularExpression, RegularExpression}, {&OptionBoxes::Kanji, Kanji},
        {&OptionBoxes::Multiline, Multiline}, {&OptionBoxes::Ignorecase, Ignorecase},
    };
    for (const auto& box : boxes) {
        OptionBoxes checked;
        checked.*box.box = 1;
        EXPECT_EQ(OptionsOf(checked), box.option);
        OptionBoxes set;
        SetOptions(set, box.option);
        EXPECT_EQ(set, checked);
    }
    OptionBoxes all;
    SetOptions(all, 0xFFFFFFFF);
    EXPECT_EQ(OptionsOf(all), NotEscape | NotCase | RegularExpression | Kanji | Multiline | Ignorecase);
}
