#include "lists/ListImport.h"

#include <optional>

#include "engine/text/EncodingDetection.h"
#include "lists/ListLine.h"
#include "lists/TextLines.h"
#include "platform/TextConversion.h"

namespace {

std::optional<std::string> InShiftJis(std::string_view text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Ascii:
    case TextEncoding::ShiftJis:
        return std::string(text);
    case TextEncoding::Utf8:
        if (text.starts_with(Utf8ByteOrderMark))
            text.remove_prefix(Utf8ByteOrderMark.size());
        return platform::ConvertText(text, platform::CodeSet::Utf8, platform::CodeSet::ShiftJis);
    case TextEncoding::EucJp:
        return platform::ConvertText(text, platform::CodeSet::EucJp, platform::CodeSet::ShiftJis);
    case TextEncoding::Iso2022Jp:
        break;
    }
    return std::nullopt;
}

}  // namespace

ListImport ImportListRows(const std::string& path, ListRows& rows)
{
    platform::FileContent content;
    if (platform::ReadWholeFile(path, content) != platform::ReadStatus::Ok)
        return {ImportOutcome::Unreadable, TextEncoding::Ascii};
    const std::string_view bytes(content.Data(), content.Size());
    const TextEncoding encoding = DetectEncoding(bytes);
    const std::optional<std::string> text = InShiftJis(bytes, encoding);
    if (!text)
        return {ImportOutcome::NotConvertible, encoding};
    ForEachTextLine(*text, [&](std::string_view line) { rows.push_back(SplitListLine(line)); });
    return {ImportOutcome::Read, encoding};
}
