#pragma once
// The rows the pattern edit dialog reads and writes, as the editor that owns them offers
// them: the dialog knows nothing else of the editor.
#include "lists/ListRow.h"

class PatternRows {
public:
    // The selected row, or -1.
    virtual int SelectedRow() const = 0;
    virtual int RowCount() const = 0;
    virtual ListRow RowAt(int index) const = 0;
    virtual void InsertRow(int index, const ListRow& row) = 0;
    virtual void SetRow(int index, const ListRow& row) = 0;
    // Selects the row and gives it the list's focus.
    virtual void SelectRow(int index) = 0;
    // The rows now differ from the list file.
    virtual void SetModified() = 0;

protected:
    ~PatternRows() = default;
};
