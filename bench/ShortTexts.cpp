#include "bench/ShortTexts.h"

#include <iconv.h>

#include <fstream>
#include <random>
#include <utility>

namespace {

std::string ToShiftJis(const std::string& utf8)
{
    iconv_t convert = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    const bool converted = iconv(convert, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(convert);
    return converted ? out.substr(0, out.size() - outLeft) : std::string();
}

// Whether a Shift-JIS word is kanji alone, the hardest to tell: its bytes read as
// another encoding's kanji or half-width katakana just as well.
bool KanjiOnly(const std::string& word)
{
    for (std::size_t i = 0; i + 1 < word.size(); i += 2) {
        const auto lead = static_cast<unsigned char>(word[i]);
        if (lead < 0x88 || (lead > 0x9F && lead < 0xE0) || lead > 0xEA)
            return false;
    }
    return word.size() % 2 == 0 && !word.empty();
}

std::vector<std::string> ReadWords()
{
    std::ifstream list(TARVELOX_SHORT_WORDS);
    std::vector<std::string> words;
    for (std::string line; std::getline(list, line);) {
        const std::size_t tab = line.find('\t');
        if (line.starts_with('#') || tab == std::string::npos)
            continue;
        const std::string word = ToShiftJis(line.substr(tab + 1));
        if (!word.empty())
            words.push_back(word);
    }
    return words;
}

}  // namespace

std::vector<ShortTextKind> MakeShortTexts(int files)
{
    const std::vector<std::string> words = ReadWords();
    if (words.empty())
        return {};
    const std::vector<std::string> ascii = {"X", "ID", "001", "1,200", "2024/05/01", "name", "v2", "OK", "A-3",
                                            "price", "Tokyo", "#", "(1)", "10:30", "TEL", "No.5"};
    const std::vector<std::string> separators = {",", "\t", " ", "=", ": ", ""};
    std::vector<std::string> kanjiWords;
    for (const std::string& word : words)
        if (KanjiOnly(word))
            kanjiWords.push_back(word);
    std::mt19937 random(26);
    const auto word = [&] { return words[random() % words.size()]; };
    const auto token = [&] { return ascii[random() % ascii.size()]; };
    const auto shape = [&](int words) {
        if (words < 0)
            return kanjiWords[random() % kanjiWords.size()];
        if (words > 0) {
            std::string text;
            for (int i = 0; i < words; ++i)
                text += word();
            return text;
        }
        // A list row, a setting, a title with a number: words and tokens in a line.
        const std::string separator = separators[random() % separators.size()];
        std::string line = random() % 2 ? token() + separator : std::string();
        const int fields = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < fields; ++i)
            line += (i ? separator : "") + (random() % 3 ? word() : token() + word());
        return line;
    };
    const std::pair<const char*, int> shapes[] = {{"one word", 1},    {"two words", 2}, {"three words", 3},
                                                   {"one line", 0},    {"kanji word", -1}};
    std::vector<ShortTextKind> kinds;
    for (const auto& [name, words] : shapes)
        for (const bool lineEnd : {false, true}) {
            ShortTextKind kind{std::string(name) + (lineEnd ? ", line end" : ", no line end"), {}};
            for (int i = 0; i < files; ++i)
                kind.ShiftJis.push_back(shape(words) + (lineEnd ? (i % 2 ? "\r\n" : "\n") : ""));
            kinds.push_back(std::move(kind));
        }
    return kinds;
}
