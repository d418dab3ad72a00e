#include "lists/ListEditRules.h"

#include <gtest/gtest.h>

#include "lists/PatternEditRules.h"
#include "lists/PatternEntry.h"

namespace {

TEST(DragStep, ScrollZonesAtTheEdgesOfTheRows)
{
    // Rows begin below a header 20 pixels high, in a client area 200 pixels high.
    using S = DragScroll;
    using T = DragTarget;
    const struct {
        int y;
        DragStep step;
    } cases[] = {
        {-30, {S::Up, false, T::TopVisibleRow}},   // above the list: at once
        {20, {S::Up, false, T::TopVisibleRow}},    // on the header's edge
        {21, {S::Up, true, T::TopVisibleRow}},     // inside the top zone: with a pause
        {34, {S::Up, true, T::TopVisibleRow}},
        {35, {S::None, false, T::RowUnderPointer}},
        {185, {S::None, false, T::RowUnderPointer}},
        {186, {S::Down, true, T::LastVisibleRow}},  // inside the bottom zone
        {199, {S::Down, true, T::LastVisibleRow}},
        {200, {S::Down, false, T::LastVisibleRow}},  // below the list
        {260, {S::Down, false, T::LastVisibleRow}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlanDragStep(c.y, 20, 200), c.step) << c.y;
}

TEST(ColumnWidths, AHeadingThatNeedsMoreTakesItFromTheTextColumns)
{
    const std::vector<int> preferred{200, 200, 56};
    const struct {
        std::vector<int> needed;
        std::vector<int> widths;
    } cases[] = {
        {{60, 60, 40}, {200, 200, 56}},   // every heading fits
        {{60, 60, 72}, {192, 192, 72}},   // the options heading takes 16 pixels
        {{60, 60, 73}, {191, 192, 73}},   // an odd pixel from the first column
        {{199, 60, 80}, {199, 177, 80}},  // a text column gives no more than its heading allows
        {{200, 200, 90}, {200, 200, 90}}, // nothing can give: the list grows
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitColumnWidths(preferred, c.needed, 2), c.widths) << c.needed[2];
}

TEST(PatternEntry, RowsAreReadByTheReadingRuleAndRegisteredByTheWritingRule)
{
    const struct {
        ListRow row;
        const char* registered;  // the options once registered again
    } cases[] = {
        {{"a", "b", "CS"}, "SC"}, {{"a", "b", "ESC"}, "E"},    {{"a", "b", "ikmE"}, "Ekmi"},
        {{"a", "b", "e I"}, ""},  {{"a", "b", "Ek\tS"}, "Ek"}, {{"a\tb", "\t", ""}, ""},
    };
    for (const auto& c : cases) {
        const PatternEntry entry = EntryOfRow(c.row);
        EXPECT_EQ(entry.Find, c.row.Find);
        const ListRow row = RowOfEntry(entry);
        EXPECT_EQ(row.Options, c.registered) << c.row.Options;
    }
    EXPECT_EQ(RowOfEntry(EntryOfRow({"a\tb", "\t", ""})), (ListRow{"a\\tb", "\\t", ""}));
    EXPECT_EQ(EditablePatternEnables(true, false), (PatternEditEnables{true, true, false, false}));
}

}  // namespace
