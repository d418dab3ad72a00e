// Literal patterns on texts that come in pieces: matches and characters cut by the ends of
// pieces and windows, chains of patterns, and the encoding told from blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/text/EncodingDetection.h"
#include "engine/literal/LiteralChain.h"
#include "engine/literal/LiteralPass.h"

namespace {

struct EdgeCase {
    const char* Name;
    TextEncoding Encoding;
    std::string Text;
    std::string Find;
    std::string Replace;
    FileResult Count;
    std::string Expected;
};

const EdgeCase EdgeCases[] = {
    {"a find text of several bytes", TextEncoding::ShiftJis, "abcab abc", "abc", "-", 2, "-ab -"},
    {"a Shift-JIS second byte that is the find text", TextEncoding::ShiftJis, "\x83\x5C\x5C", "\x5C", "-", 1,
     "\x83\x5C-"},
    {"a Shift-JIS second byte that is the find text's first", TextEncoding::ShiftJis, "\x83\x5C\x83\x41", "\x5C\x83",
     "-", 0, ""},
    {"lead bytes in a row pair from the start", TextEncoding::ShiftJis, "\x81\x81\x81\x81\x81", "\x81\x81", "-", 2,
     "--\x81"},
    {"a Shift-JIS character found whole", TextEncoding::ShiftJis, "a\x82\xA0\x82\xA0" "b", "\x82\xA0", "\x82\xA2", 2,
     "a\x82\xA2\x82\xA2" "b"},
    // Find texts are typed in Shift-JIS and made ready for the text's encoding.
    {"an EUC-JP find text across two characters", TextEncoding::EucJp, "\xB0\xA1\xB0\xA1", "\x81\x4F", "-", 0,
     ""},
    {"an EUC-JP character found whole", TextEncoding::EucJp, "\xA4\xA2\xA4\xA4", "\x82\xA2", "-", 1, "\xA4\xA2-"},
    {"inside a three-byte EUC-JP character", TextEncoding::EucJp, "\x8F\xB0\xA1\xB0\xA1", "\x88\x9F", "-", 1,
     "\x8F\xB0\xA1-"},
    {"a UTF-8 character found whole", TextEncoding::Utf8, "\xE3\x81\x82\xE3\x81\x84", "\x82\xA2", "-", 1,
     "\xE3\x81\x82-"},
    {"a replacement that empties the end", TextEncoding::ShiftJis, "abca", "a", "", 2, "bc"},
};

}  // namespace

TEST(LiteralStream, FindsAsInTheWholeTextWhereverPiecesAndWindowsEnd)
{
    const AbortFlag notAborted{false};
    for (const EdgeCase& edge : EdgeCases) {
        const EncodedPattern pattern = EncodePattern({edge.Find, edge.Replace, NotEscape}, edge.Encoding);
        const std::size_t smallest = LiteralPass::SmallestWindow(edge.Find.size());
        // The padding moves every byte of the text across every place where a window or a
        // piece ends.
        for (std::size_t padding = 0; padding <= 2 * smallest; ++padding) {
            const std::string pad(padding, ' ');
            for (std::size_t window : {smallest, smallest + 1, smallest + 3})
                for (std::size_t piece : {1, 2, 3, 5}) {
                    std::string rewritten;
                    const FileResult count =
                        RewriteLiteralText(notAborted, pad + edge.Text, {&pattern}, rewritten, window, piece);
                    const std::string where = std::string(edge.Name) + ", padding " + std::to_string(padding) +
                                              ", window " + std::to_string(window) + ", piece " +
                                              std::to_string(piece);
                    ASSERT_EQ(count, edge.Count) << where;
                    ASSERT_EQ(rewritten, edge.Count == 0 ? std::string() : pad + edge.Expected) << where;
                }
        }
    }
}

TEST(LiteralStream, EachPatternReadsWhatTheOneBeforeMade)
{
    struct ChainCase {
        const char* Name;
        std::vector<ReplacePattern> Patterns;
        std::string Text;
        FileResult Count;
        std::string Expected;
    };
    const ChainCase cases[] = {
        {"a match made by a replacement", {{"ab", "b", 0}, {"bb", "X", 0}}, "aabb", 2, "aX"},
        {"every pattern in turn", {{"a", "b", 0}, {"b", "c", 0}}, "ab", 3, "cc"},
        {"alternatives are passes of their own", {{"a\\|b", "b", 0}}, "ab", 3, "bb"},
        {"a later pattern undoing an earlier one", {{"a", "b", 0}, {"b", "a", 0}}, "a", 2, "a"},
        {"a NUL byte in the text", {{"a", "b", 0}}, std::string("ab\0", 3), NoText, ""},
        {"a NUL byte that a replacement makes", {{"a", std::string(1, '\0'), NotEscape}, {"x", "y", 0}}, "xa", NoText, ""},
    };
    const AbortFlag notAborted{false};
    for (const ChainCase& chain : cases) {
        std::vector<EncodedPattern> encoded;
        for (const ReplacePattern& pattern : chain.Patterns)
            encoded.push_back(EncodePattern(pattern, TextEncoding::ShiftJis));
        std::vector<const EncodedPattern*> patterns;
        for (const EncodedPattern& pattern : encoded)
            patterns.push_back(&pattern);
        for (std::size_t piece : {0, 1, 2}) {
            std::string rewritten;
            EXPECT_EQ(RewriteLiteralText(notAborted, chain.Text, patterns, rewritten, 1, piece), chain.Count)
                << chain.Name << ", piece " << piece;
            EXPECT_EQ(rewritten, chain.Expected) << chain.Name << ", piece " << piece;
        }
    }
}

TEST(LiteralStream, AbortStopsTheChain)
{
    const AbortFlag aborted{true};
    const EncodedPattern pattern = EncodePattern({"a", "b", 0}, TextEncoding::ShiftJis);
    std::string rewritten;
    EXPECT_EQ(RewriteLiteralText(aborted, std::string(100, 'a'), {&pattern}, rewritten, 1, 7), Cancel);
}

TEST(EncodingDetector, BlocksCutAnywhereTellTheEncodingOfTheWholeText)
{
    struct DetectionCase {
        const char* Name;
        std::string Text;
        TextEncoding Expected;
    };
    const DetectionCase cases[] = {
        {"seven-bit text", "plain text", TextEncoding::Ascii},
        {"a JIS escape sequence", "ab\x1B$B$\"\x1B(B", TextEncoding::Iso2022Jp},
        {"an escape sequence and a high byte", "\x1B$B\x82\xA0", TextEncoding::ShiftJis},
        {"a byte order mark", "\xEF\xBB\xBFplain", TextEncoding::Utf8},
        {"UTF-8 kana", "\xE3\x81\x82\xE3\x81\x84", TextEncoding::Utf8},
        {"Shift-JIS kana", "\x82\xA0\x82\xA2\x82\xA4", TextEncoding::ShiftJis},
        {"EUC-JP kana", "\xA4\xA2\xA4\xA4\xA4\xA6\xA4\xA8", TextEncoding::EucJp},
        {"Shift-JIS cut inside its last character", "\x82\xA0\x82", TextEncoding::ShiftJis},
        {"UTF-8 cut inside its last character", "\xE3\x81\x82\xE3\x81", TextEncoding::Utf8},
        {"UTF-8 made malformed by its last bytes", "\xE3\x81\x82\xE3\x81\xE3", TextEncoding::ShiftJis},
        {"seven-bit text before the first high byte", std::string(40, 'a') + "\xA4\xA2\xA4\xA4", TextEncoding::EucJp},
        {"malformed in every reading", "\x80\xFF", TextEncoding::ShiftJis},
    };
    for (const DetectionCase& detection : cases) {
        ASSERT_EQ(DetectEncoding(detection.Text), detection.Expected) << detection.Name;
        const std::string& text = detection.Text;
        for (std::size_t first = 0; first <= text.size(); ++first)
            for (std::size_t second = first; second <= text.size(); ++second) {
                EncodingDetector detector;
                detector.Add(text.substr(0, first));
                detector.Add(text.substr(first, second - first));
                detector.Add(text.substr(second));
                EXPECT_EQ(detector.Result(), detection.Expected)
                    << detection.Name << ", cut at " << first << " and " << second;
            }
    }
}
