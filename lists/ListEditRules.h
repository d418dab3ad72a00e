#pragma once
// When the replace list editor's commands may run, and how a drag near the list's edges
// scrolls it. Decided without a window, so that the menu, the toolbar, the keys and the
// tests all ask the same rule.

#include <vector>

// The rows as the commands see them.
struct ListEditSelection {
    int SelectedRow = -1;  // -1: no row selected
    int RowCount = 0;
    bool CutBufferEmpty = true;
};

// Whether the command with this resource id does something now; commands without a rule of
// their own always do.
bool IsListCommandEnabled(int commandId, const ListEditSelection& selection);

// The height of a drag's scroll zones at the top and the bottom of the rows, in pixels.
inline constexpr int DragScrollZone = 15;

enum class DragScroll { None, Up, Down };
enum class DragTarget { RowUnderPointer, TopVisibleRow, LastVisibleRow };

struct DragStep {
    DragScroll Scroll = DragScroll::None;
    // Whether the editor waits a moment after scrolling, which limits the scrolling speed
    // while the pointer is still inside the list; outside it every movement scrolls at once.
    bool Pause = false;
    DragTarget Target = DragTarget::RowUnderPointer;
    bool operator==(const DragStep&) const = default;
};

// One mouse movement of a drag: `pointerY` in the list's client area, below a column
// header `headerHeight` pixels high, in a client area `clientHeight` pixels high.
DragStep PlanDragStep(int pointerY, int headerHeight, int clientHeight);

// The widths of the list's columns: each at least the width its heading `needed`; what that
// adds to the `preferred` widths is taken, in equal parts, from the first `givingColumns`
// columns (the texts), as far as their own headings allow, so the list keeps its width.
std::vector<int> FitColumnWidths(const std::vector<int>& preferred, const std::vector<int>& needed,
                                 std::size_t givingColumns);
