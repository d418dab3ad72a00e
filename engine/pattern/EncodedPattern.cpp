#include "engine/pattern/EncodedPattern.h"

#include "engine/text/CharacterRule.h"
#include "engine/pattern/EscapeSequences.h"
#include "engine/text/PatternConversion.h"
#include "engine/pattern/RegexCommandText.h"

namespace {

void EncodeLiteral(const ReplacePattern& pattern, EncodedPattern& encoded)
{
    const bool decode = !HasOption(pattern.Options, NotEscape);
    const TextEncoding typed = pattern.Typed;
    encoded.Replacement = ConvertPatternText(decode ? DecodeReplaceEscapes(pattern.Replace, typed) : pattern.Replace,
                                             encoded.Encoding, typed);
    for (const std::string& alternative : decode ? DecodeFindEscapes(pattern.Find, typed) : std::vector{pattern.Find})
        encoded.Alternatives.push_back(ConvertPatternText(alternative, encoded.Encoding, typed));
}

// The template's literal pieces converted one by one, its group markers kept between them.
std::optional<ReplacementTemplate> EncodeTemplate(const ReplacementTemplate& template_, TextEncoding encoding,
                                                  TextEncoding typed)
{
    ReplacementTemplate encoded;
    std::size_t copied = 0;
    for (std::size_t i = 0; i <= template_.Markers.size(); ++i) {
        const std::size_t end = i < template_.Markers.size() ? template_.Markers[i].Position : template_.Text.size();
        const std::optional<std::string> piece =
            ConvertPatternText(std::string_view(template_.Text).substr(copied, end - copied), encoding, typed);
        if (!piece)
            return std::nullopt;
        encoded.Text += *piece;
        if (i < template_.Markers.size())
            encoded.Markers.push_back({encoded.Text.size(), template_.Markers[i].Group});
        copied = end;
    }
    return encoded;
}

// A seven-bit file takes the command as typed, and is read in the typed encoding.
TextEncoding ExpressionEncodingOf(TextEncoding encoding, TextEncoding typed)
{
    return encoding == TextEncoding::Ascii && typed != TextEncoding::ShiftJis ? typed : encoding;
}

std::optional<std::string> EncodeCommand(const std::string& command, const EncodedPattern& encoded,
                                         TextEncoding typed)
{
    std::optional<std::string> converted = ConvertPatternText(command, encoded.Encoding, typed);
    if (converted)
        converted->append(EncodingModifier(encoded.ExpressionEncoding));
    return converted;
}

void EncodeRegex(const ReplacePattern& pattern, EncodedPattern& encoded)
{
    const TextEncoding typed = pattern.Typed;
    encoded.ExpressionEncoding = ExpressionEncodingOf(encoded.Encoding, typed);
    encoded.MatchCommand = EncodeCommand(MatchCommandText(pattern.Find, pattern.Options, typed), encoded, typed);
    encoded.SubstituteCommand =
        EncodeCommand(SubstituteCommandText(pattern.Find, pattern.Replace, pattern.Options, typed), encoded, typed);
    encoded.Template =
        EncodeTemplate(BuildReplacementTemplate(pattern.Replace, typed), encoded.Encoding, typed);
    encoded.SkipNewline = SkipsNewlineAfterMatch(pattern.Find, pattern.Options, typed);
}

}  // namespace

const CharacterRule& EncodedPattern::Rule() const
{
    return CharacterRuleOf(Encoding);
}

const CharacterRule& EncodedPattern::ExpressionRule() const
{
    return CharacterRuleOf(ExpressionEncoding);
}

EncodedPattern EncodePattern(const ReplacePattern& pattern, TextEncoding encoding)
{
    EncodedPattern encoded;
    encoded.Encoding = encoding;
    encoded.Options = pattern.Options;
    if (HasOption(pattern.Options, RegularExpression))
        EncodeRegex(pattern, encoded);
    else
        EncodeLiteral(pattern, encoded);
    return encoded;
}
