// A text rewritten in two parts at once, the second on a thread of its own, must come out
// as the rewrite from its start alone makes it: whatever the expression's view of where a
// search begins (^, \b, lookbehind, empty matches, a newline taken after $), wherever the
// text is cut and however the parts' searches meet, and whether the pieces of a match are
// copied in words or not.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/flow/PieceListOutput.h"
#include "engine/regex/BregexpLibrary.h"
#include "engine/regex/RegexRewrite.h"

namespace {

// Collects the text in memory, offering a little room at a time as a file's buffer does:
// short pieces of a match are copied there in words, others by a call.
class RoomyOutput final : public TextOutput {
public:
    explicit RoomyOutput(std::string& text) : text_(text) { Empty(); }
    ~RoomyOutput() { Empty(); }

private:
    bool WriteOut(const char* data, std::size_t size) override
    {
        Empty();
        text_.append(data, size);
        return true;
    }
    void Empty()
    {
        text_.append(buffer_, static_cast<std::size_t>(cursor_ ? cursor_ - buffer_ : 0));
        cursor_ = buffer_;
        room_ = sizeof buffer_;
    }

    std::string& text_;
    char buffer_[100];
};

struct Outcome {
    FileResult Count;
    std::string Text;
};

Outcome Rewrite(const BregexpLibrary& library, const std::string& text, const EncodedPattern& pattern, bool cut,
                bool wellFormed)
{
    const AbortFlag notAborted{false};
    RegexRewrite rewrite(library);
    // Cut after the first match, at the middle of the text still to search.
    rewrite.SplitWhen(cut ? TwoPartRule{1, 0, 0} : TwoPartRule{std::size_t(-1), 0, 0});
    if (wellFormed)
        rewrite.TakeTextAsWellFormed();
    std::string out;
    FileResult count;
    if (cut) {
        RoomyOutput kept(out);
        count = rewrite.Apply(notAborted, text.data(), text.size(), pattern, false, kept);
    } else {
        StringOutput kept(out);
        count = rewrite.Apply(notAborted, text.data(), text.size(), pattern, false, kept);
    }
    return {count, count > 0 ? out : std::string()};
}

std::string RandomText(std::mt19937& random, std::size_t most)
{
    static const char* const pieces[] = {"foo", "bar", "12", "a", "x", " ", "\n", "\x82\xA0", "\x95\\", "_"};
    std::string text;
    const std::size_t count = std::uniform_int_distribution<std::size_t>(0, most)(random);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    for (std::size_t i = 0; i < count; ++i)
        text += pieces[pick(random)];
    return text;
}

}  // namespace

TEST(TwoPartRewrite, GivesWhatTheRewriteFromTheStartGives)
{
    BregexpLibrary library;
    ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
    const ReplacePattern patterns[] = {
        {"(foo|bar)([0-9]*)", "<$1>", RegularExpression},
        {"^a", "A", RegularExpression},
        {"\\bx", "X", RegularExpression},
        {"(?<=a)x", "-", RegularExpression},
        {"a*", "-", RegularExpression},
        {"x|", "+", RegularExpression},
        {"[0-9]+$", "#", RegularExpression | Multiline},
        {"o+$", "", RegularExpression | Multiline},
        {"\\\\", "/", RegularExpression},
        {"(a)(x)?", "$2$1", RegularExpression | Ignorecase},
        // A replacement long enough to be kept as a piece of its own.
        {"foo", std::string(70, 'R') + "$0" + std::string(70, 'S'), RegularExpression},
    };
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(random, 120);
        for (const ReplacePattern& pattern : patterns) {
            const EncodedPattern encoded = EncodePattern(pattern, TextEncoding::ShiftJis);
            const Outcome whole = Rewrite(library, text, encoded, false, true);
            for (const bool wellFormed : {true, false}) {
                const Outcome parts = Rewrite(library, text, encoded, true, wellFormed);
                ASSERT_EQ(parts.Count, whole.Count) << "round " << round << ": " << pattern.Find;
                ASSERT_EQ(parts.Text, whole.Text) << "round " << round << ": " << pattern.Find;
            }
        }
    }
}

// The second part's new text, kept as pieces over several chunks of memory (short pieces
// gathered, some in words, long ones pointed at), is written from any place on as it was
// made, while the chunks behind are given back.
TEST(TwoPartRewrite, KeptPiecesAreWrittenFromAnyPlaceAsTheyCame)
{
    std::mt19937 random(3);
    std::string source(200, 'x');
    for (char& c : source)
        c = static_cast<char>('a' + random() % 26);
    for (const std::uint64_t offset : {std::uint64_t{0}, std::uint64_t{5}, std::uint64_t{1} << 20, std::uint64_t{5} << 20}) {
        PieceListOutput kept;
        std::string expected;
        while (expected.size() < (std::size_t{7} << 20)) {
            const std::size_t size = random() % 8 == 0 ? 64 + random() % 100 : random() % 40;
            // A word's bytes after the piece are read too.
            const std::size_t from = random() % (source.size() - size - TextOutput::Word);
            char* room = random() % 2 == 0 ? kept.RoomFor(size) : nullptr;
            if (room)
                kept.WrittenUntil(TextOutput::CopyWords(room, source.data() + from, size));
            else
                ASSERT_TRUE(kept.Write(source.data() + from, size));
            expected.append(source, from, size);
        }
        std::string written;
        StringOutput out(written);
        ASSERT_TRUE(kept.WriteFrom(offset, out));
        EXPECT_EQ(written, expected.substr(static_cast<std::size_t>(offset))) << offset;
    }
}
