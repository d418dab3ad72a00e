// How often the encoding of a file is told right, by our detection and, where it is
// installed, by uchardet: a corpus made with iconv from Japanese text, cut to sizes from 16
// bytes to 1 MiB, in Shift-JIS, EUC-JP and UTF-8. Prints one table row per kind of text and
// size: the misread files of each encoding, ours, ours when the files are cut at any byte
// (inside a character), and uchardet's. Then short files (bench/ShortTexts.h) of each
// kind: how many of each encoding were read right, how many of those were guesses, and how
// many were misread without being called a guess.
#include <algorithm>
#include <time.h>

#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench/ShiftJisText.h"
#include "bench/ShortTexts.h"
#include "engine/text/CharacterRule.h"
#include "engine/text/EncodingDetection.h"
#include "engine/text/PatternConversion.h"

#ifdef TARVELOX_HAVE_UCHARDET
#include <uchardet/uchardet.h>
#endif

namespace {

struct Kind {
    const char* Name;
    std::string ShiftJis;  // the text, long enough for the largest file
    bool EucJpOnly;        // JIS X 0212 characters: EUC-JP files only
};

std::string Repeat(const std::vector<const char*>& words, std::size_t size, int asciiPercent,
                   const std::vector<const char*>& ascii)
{
    std::mt19937 random(7);
    std::string text;
    while (text.size() < size) {
        const bool takeAscii = !ascii.empty() && static_cast<int>(random() % 100) < asciiPercent;
        const auto& from = takeAscii ? ascii : words;
        text += from[random() % from.size()];
        if (random() % 12 == 0)
            text += "\r\n";
    }
    return text;
}

std::vector<Kind> Kinds()
{
    constexpr std::size_t Size = 3 << 20;
    const std::vector<const char*> ascii = {"file ", "data ", "version 2.1 ", "the ", "<p>", "</p>", "http://x/ ",
                                            "Tarvelox ", "of ", "and ", "12:00 ", "index.htm "};
    const std::vector<const char*> halfWidth = {"ｶﾀｶﾅ", "ﾃﾞｰﾀ", "ﾌｧｲﾙ", "ｻｰﾊﾞｰ", "ﾕｰｻﾞｰ", "ﾒｰﾙ", " ",
                                                "ｼｽﾃﾑ", "ﾎﾞﾀﾝ", "ｿﾌﾄ", "ｳｨﾝﾄﾞｳ", "｡", "､"};
    const std::vector<const char*> kana = {"の", "は", "です", "ます", "ファイル", "テキスト", "を"};
    // Characters of the IBM extensions that EUC-JP writes as JIS X 0212, among prose.
    const std::vector<const char*> withJisX0212 = {"纊", "褜", "鍈", "銈", "蓜", "俉", "炻", "昱",
                                                   "文字列を置換します。", "東京の会議", "、", "資料"};
    return {
        {"prose", MakeShiftJisText(Size).Bytes, false},
        {"half-width katakana", Repeat(halfWidth, Size, 0, {}), false},
        {"ASCII, a few kana", Repeat(kana, Size, 97, ascii), false},
        {"JIS X 0212", Repeat(withJisX0212, Size, 0, {}), true},
    };
}

// The longest start of `text` of at most `size` bytes that ends on a character boundary.
std::string Cut(const std::string& text, std::size_t size, TextEncoding encoding)
{
    const CharacterRule& rule = CharacterRuleOf(encoding);
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + rule.CharacterLength(text, end);
        if (next > size)
            break;
        end = next;
    }
    return text.substr(0, end);
}

#ifdef TARVELOX_HAVE_UCHARDET
std::optional<TextEncoding> DetectWithUchardet(const std::string& text)
{
    uchardet_t detector = uchardet_new();
    uchardet_handle_data(detector, text.data(), text.size());
    uchardet_data_end(detector);
    const std::string name = uchardet_get_charset(detector);
    uchardet_delete(detector);
    if (name == "SHIFT_JIS" || name == "WINDOWS-31J")
        return TextEncoding::ShiftJis;
    if (name == "EUC-JP")
        return TextEncoding::EucJp;
    if (name == "UTF-8")
        return TextEncoding::Utf8;
    if (name == "ASCII")
        return TextEncoding::Ascii;
    if (name == "ISO-2022-JP")
        return TextEncoding::Iso2022Jp;
    return std::nullopt;
}
#endif

double Seconds()
{
    timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

bool AsciiOnly(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsRight(std::optional<TextEncoding> found, TextEncoding expected, const std::string& text)
{
    // Seven-bit text is the same in all three; calling it ASCII is no misreading.
    return found == expected || (found == TextEncoding::Ascii && AsciiOnly(text));
}

}  // namespace

void ReportShortTexts()
{
    constexpr int Files = 240;
    const std::vector<ShortTextKind> kinds = MakeShortTexts(Files);
    if (kinds.empty()) {
        std::printf("\nshort texts: the word list %s cannot be read\n", TARVELOX_SHORT_WORDS);
        return;
    }
    const TextEncoding encodings[] = {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Utf8};
    std::printf("\n| short text (%d files each) | Shift-JIS read right (guessed / misread unguessed) | EUC-JP | UTF-8 |\n",
                Files);
    std::printf("|---|---|---|---|\n");
    int right[3] = {}, total[3] = {};
    for (const ShortTextKind& kind : kinds) {
        std::printf("| %s |", kind.Name.c_str());
        for (int e = 0; e < 3; ++e) {
            int rightHere = 0, guessed = 0, unguessedWrong = 0, files = 0;
            for (const std::string& shiftJis : kind.ShiftJis) {
                const std::optional<std::string> text = ConvertPatternText(shiftJis, encodings[e]);
                if (!text)
                    continue;
                ++files;
                const DetectedEncoding found = DetectEncoding(EncodingChoice::Automatic, *text, nullptr);
                const bool isRight = IsRight(found.Encoding, encodings[e], *text);
                rightHere += isRight ? 1 : 0;
                guessed += found.Guessed ? 1 : 0;
                unguessedWrong += !isRight && !found.Guessed ? 1 : 0;
            }
            right[e] += rightHere;
            total[e] += files;
            std::printf(" %d/%d = %.1f %% (%d / %d) |", rightHere, files, 100.0 * rightHere / files, guessed,
                        unguessedWrong);
        }
        std::printf("\n");
    }
    std::printf("| all short texts |");
    for (int e = 0; e < 3; ++e)
        std::printf(" %d/%d = %.1f %% |", right[e], total[e], 100.0 * right[e] / total[e]);
    std::printf("\n");
}

int main()
{
    const std::size_t sizes[] = {16, 32, 64, 256, 1024, 16384, 1 << 20};
    const TextEncoding encodings[] = {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Utf8};
    std::printf("| text | size | files | Shift-JIS misread (ours / cut anywhere / uchardet) | EUC-JP | UTF-8 |\n");
    std::printf("|---|---:|---:|---|---|---|\n");
    double oursSeconds = 0, uchardetSeconds = 0;
    std::size_t bytesDetected = 0;
    for (const Kind& kind : Kinds()) {
        for (const std::size_t size : sizes) {
            const int files = size >= (1 << 20) ? 4 : size >= 16384 ? 40 : 300;
            std::printf("| %s | %zu | %d |", kind.Name, size, files);
            for (const TextEncoding encoding : encodings) {
                if (kind.EucJpOnly && encoding != TextEncoding::EucJp) {
                    std::printf(" - |");
                    continue;
                }
                int oursWrong = 0, cutWrong = 0, uchardetWrong = -1;
#ifdef TARVELOX_HAVE_UCHARDET
                uchardetWrong = 0;
#endif
                for (int file = 0; file < files; ++file) {
                    // Each file starts somewhere else in the text, on a character.
                    const std::size_t offset = file * 9973 % (kind.ShiftJis.size() / 2);
                    const std::string piece = Cut(kind.ShiftJis.substr(offset), size * 2 + 64, TextEncoding::ShiftJis);
                    const std::optional<std::string> converted = ConvertPatternText(piece, encoding);
                    if (!converted)
                        continue;
                    const std::string text = Cut(*converted, size, encoding);
                    double start = Seconds();
                    const TextEncoding found = DetectEncoding(text);
                    oursSeconds += Seconds() - start;
                    oursWrong += IsRight(found, encoding, text) ? 0 : 1;
                    const std::string cutAnywhere = converted->substr(0, size);
                    cutWrong += IsRight(DetectEncoding(cutAnywhere), encoding, cutAnywhere) ? 0 : 1;
#ifdef TARVELOX_HAVE_UCHARDET
                    start = Seconds();
                    const std::optional<TextEncoding> byUchardet = DetectWithUchardet(text);
                    uchardetSeconds += Seconds() - start;
                    uchardetWrong += IsRight(byUchardet, encoding, text) ? 0 : 1;
#endif
                    bytesDetected += text.size();
                }
                std::printf(" %d / %d / %d |", oursWrong, cutWrong, uchardetWrong);
            }
            std::printf("\n");
        }
    }
    std::printf("\nDetection time over %.1f MiB: ours %.3f s, uchardet %.3f s (-1: uchardet not built in)\n",
                bytesDetected / 1048576.0, oursSeconds, uchardetSeconds);
    ReportShortTexts();
}
