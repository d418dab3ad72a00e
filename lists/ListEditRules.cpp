#include "lists/ListEditRules.h"

#include <algorithm>

#include "resources/ResourceIds.h"

bool IsListCommandEnabled(int commandId, const ListEditSelection& selection)
{
    const bool selected = selection.SelectedRow >= 0;
    switch (commandId) {
    case ID_PATTERN_EDIT:
    case ID_PATTERN_DELETE:
    case ID_PATTERN_CUT:
        return selected;
    case ID_PATTERN_PASTE:
        return !selection.CutBufferEmpty;
    case ID_PATTERN_MOVE_UP:
        return selected && selection.SelectedRow > 0;
    case ID_PATTERN_MOVE_DOWN:
        return selected && selection.SelectedRow < selection.RowCount - 1;
    default:
        return true;
    }
}

DragStep PlanDragStep(int pointerY, int headerHeight, int clientHeight)
{
    const int below = pointerY - headerHeight;
    const int rowsHeight = clientHeight - headerHeight;
    if (below < DragScrollZone)
        return {DragScroll::Up, below > 0, DragTarget::TopVisibleRow};
    if (below + DragScrollZone > rowsHeight)
        return {DragScroll::Down, below < rowsHeight, DragTarget::LastVisibleRow};
    return {};
}

std::vector<int> FitColumnWidths(const std::vector<int>& preferred, const std::vector<int>& needed,
                                 std::size_t givingColumns)
{
    std::vector<int> widths(preferred.size());
    int surplus = 0;
    for (std::size_t column = 0; column < preferred.size(); ++column) {
        widths[column] = std::max(preferred[column], needed[column]);
        surplus += widths[column] - preferred[column];
    }
    // One pixel at a time, round the giving columns, until nothing is left or none can give.
    for (bool gave = true; surplus > 0 && gave;) {
        gave = false;
        for (std::size_t column = 0; column < givingColumns && surplus > 0; ++column)
            if (widths[column] > needed[column]) {
                --widths[column];
                --surplus;
                gave = true;
            }
    }
    return widths;
}
