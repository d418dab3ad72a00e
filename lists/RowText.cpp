#include "lists/RowText.h"

namespace {

constexpr char ColumnEnd = '\x7f';
constexpr char Escape = '\x10';

void AppendColumn(std::string& text, std::string_view column)
{
    for (const char byte : column) {
        if (byte == ColumnEnd || byte == Escape)
            text += Escape;
        text += byte;
    }
    text += ColumnEnd;
}

}  // namespace

std::string RowTextOf(const ListRow& row)
{
    std::string text;
    AppendColumn(text, row.Find);
    AppendColumn(text, row.Replace);
    AppendColumn(text, row.Options);
    return text;
}

ListRow RowFromText(std::string_view text)
{
    ListRow row;
    std::string* const columns[] = {&row.Find, &row.Replace, &row.Options};
    std::size_t column = 0;
    std::string piece;
    for (std::size_t i = 0; i < text.size() && column < std::size(columns); ++i) {
        if (text[i] == Escape && i + 1 < text.size()) {
            piece += text[++i];
        } else if (text[i] == ColumnEnd) {
            *columns[column++] = std::move(piece);
            piece.clear();
        } else {
            piece += text[i];
        }
    }
    return row;
}
