#include "engine/pattern/EncodedPattern.h"

#include "engine/text/CharacterRule.h"
#include "engine/pattern/EscapeSequences.h"
#include "engine/text/PatternConversion.h"
#include "engine/pattern/RegexCommandText.h"

namespace {

void EncodeLiteral(const ReplacePattern& pattern, EncodedPattern& encoded)
{
    const bool decode = !HasOption(pattern.Options, NotEscape);
    encoded.Replacement =
        ConvertPatternText(decode ? DecodeReplaceEscapes(pattern.Replace) : pattern.Replace, encoded.Encoding);
    for (const std::string& alternative : decode ? DecodeFindEscapes(pattern.Find) : std::vector{pattern.Find})
        encoded.Alternatives.push_back(ConvertPatternText(alternative, encoded.Encoding));
}

// The template's literal pieces converted one by one, its group markers kept between them.
std::optional<ReplacementTemplate> EncodeTemplate(const ReplacementTemplate& typed, TextEncoding encoding)
{
    ReplacementTemplate encoded;
    std::size_t copied = 0;
    for (std::size_t i = 0; i <= typed.Markers.size(); ++i) {
        const std::size_t end = i < typed.Markers.size() ? typed.Markers[i].Position : typed.Text.size();
        const std::optional<std::string> piece =
            ConvertPatternText(std::string_view(typed.Text).substr(copied, end - copied), encoding);
        if (!piece)
            return std::nullopt;
        encoded.Text += *piece;
        if (i < typed.Markers.size())
            encoded.Markers.push_back({encoded.Text.size(), typed.Markers[i].Group});
        copied = end;
    }
    return encoded;
}

std::optional<std::string> EncodeCommand(const std::string& typed, TextEncoding encoding)
{
    std::optional<std::string> command = ConvertPatternText(typed, encoding);
    if (command)
        command->append(EncodingModifier(encoding));
    return command;
}

void EncodeRegex(const ReplacePattern& pattern, EncodedPattern& encoded)
{
    encoded.MatchCommand = EncodeCommand(MatchCommandText(pattern.Find, pattern.Options), encoded.Encoding);
    encoded.SubstituteCommand =
        EncodeCommand(SubstituteCommandText(pattern.Find, pattern.Replace, pattern.Options), encoded.Encoding);
    encoded.Template = EncodeTemplate(BuildReplacementTemplate(pattern.Replace), encoded.Encoding);
    encoded.SkipNewline = SkipsNewlineAfterMatch(pattern.Find, pattern.Options);
}

}  // namespace

const CharacterRule& EncodedPattern::Rule() const
{
    return CharacterRuleOf(Encoding);
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
