// Writes the data of bench/compare: Shift-JIS text full of characters whose second byte
// is 0x5C (表 ソ 能 十) and of Windows paths, each original beside the text a correct
// replacement of every path backslash by a slash gives.
//   compare_data files COUNT SIZE ORIGINALS EXPECTED   COUNT files of SIZE bytes
//   compare_data big SIZE ORIGINAL EXPECTED            one file of SIZE bytes
//   compare_data plain COUNT SIZE FOLDER               COUNT files without any 0x5C byte
//   compare_data words SIZE EVERY DIGITS ORIGINAL EXPECTED
//       one file of SIZE bytes of words, every EVERY-th one foo or bar (with DIGITS 1 each
//       word followed by up to three digits, as foo12), which (foo|bar)([0-9]*) -> <$1>
//       makes <foo> or <bar>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// '|' stands for a path separator: a backslash in the original, a slash when replaced.
const char* const PathLines[] = {
    "保存先: C:|表計算|ソフト|能力表|%05u.xls\r\n",
    "参照: D:|データ|十月|表示設定|%05u.ini\n",
    "旧版は ||server|共有|表|%05u にあります。\r\n",
};
const char* const ProseLines[] = {
    "新しい表計算ソフトの機能と性能を紹介します（第%u版）。\r\n",
    "十分な表示領域があれば、ソート結果を一覧表にできます。%u\n",
    "The quick brown fox jumps over the lazy dog %u times.\r\n",
};
// Without any byte 0x5C, so that nothing matches a backslash, byte by byte or not.
const char* const PlainLines[] = {
    "新しい計算機の使い方を説明します（第%u版）。\r\n",
    "The quick brown fox jumps over the lazy dog %u times.\n",
};

std::string Format(const char* format, unsigned number)
{
    char line[256];
    std::snprintf(line, sizeof line, format, number);
    return line;
}

std::string WithSeparators(std::string line, char separator)
{
    for (char& c : line)
        if (c == '|')
            c = separator;
    return line;
}

struct Text {
    std::string original;
    std::string expected;

    void Append(const std::string& before, const std::string& after)
    {
        original += before;
        expected += after;
    }
    // ASCII to fill the exact size, with a last line end.
    void FillTo(std::size_t size)
    {
        const std::string filler(size - original.size() - 2, 'x');
        Append(filler + "\r\n", filler + "\r\n");
    }
};

// Lines until `size` is reached, then ASCII to fill the exact size with a last line end.
Text MakeText(std::size_t size, unsigned seed, bool plain)
{
    Text text;
    for (unsigned n = seed;; ++n) {
        std::string original, expected;
        if (plain) {
            original = expected = Format(PlainLines[n % 2], n);
        } else if (n % 3 == 0) {
            const std::string line = Format(PathLines[n / 3 % 3], n);
            original = WithSeparators(line, '\\');
            expected = WithSeparators(line, '/');
        } else {
            original = expected = Format(ProseLines[n % 3], n);
        }
        if (text.original.size() + original.size() + 2 > size)
            break;
        text.Append(original, expected);
    }
    text.FillTo(size);
    return text;
}

// Words of the kind above, separated by spaces, lines of about 80 bytes; a word of the
// expression alternates with one that it must leave alone.
const char* const OtherWords[] = {"baz", "qux", "表計算", "ソフト",
                                  "能力表", "十月", "fox", "C:\\表\\data"};

Text MakeWords(std::size_t size, unsigned every, bool digits)
{
    Text text;
    std::uint32_t state = 12345;
    const auto next = [&state](std::uint32_t range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    std::string original, expected;
    for (unsigned n = 0;; ++n) {
        const bool matched = n % every == 0;
        std::string word = matched ? (next(2) ? "foo" : "bar") : OtherWords[next(8)];
        std::string replaced = matched ? "<" + word + ">" : word;
        if (digits)
            for (std::uint32_t d = next(4); d > 0; --d) {
                const char digit = static_cast<char>('0' + next(10));
                word += digit;
                if (!matched)
                    replaced += digit;
            }
        const bool lineEnd = original.size() > 80;
        const char* separator = lineEnd ? (n % 3 ? "\r\n" : "\n") : " ";
        if (text.original.size() + original.size() + word.size() + 4 > size)
            break;
        original += word + separator;
        expected += replaced + separator;
        if (lineEnd) {
            text.Append(original, expected);
            original.clear();
            expected.clear();
        }
    }
    text.Append(original, expected);
    text.FillTo(size);
    return text;
}

bool Write(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string FileName(const std::string& folder, unsigned index)
{
    char name[32];
    std::snprintf(name, sizeof name, "/%05u.txt", index);
    return folder + name;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "files" && argc == 6) {
        const unsigned count = std::strtoul(argv[2], nullptr, 10);
        const std::size_t size = std::strtoul(argv[3], nullptr, 10);
        for (unsigned i = 0; i < count; ++i) {
            const Text text = MakeText(size, i * 7, false);
            if (!Write(FileName(argv[4], i), text.original) || !Write(FileName(argv[5], i), text.expected))
                return 1;
        }
        return 0;
    }
    if (mode == "big" && argc == 5) {
        const Text text = MakeText(std::strtoull(argv[2], nullptr, 10), 0, false);
        return Write(argv[3], text.original) && Write(argv[4], text.expected) ? 0 : 1;
    }
    if (mode == "words" && argc == 7) {
        const unsigned every = std::strtoul(argv[3], nullptr, 10);
        const bool digits = std::strcmp(argv[4], "1") == 0;
        const Text text = MakeWords(std::strtoull(argv[2], nullptr, 10), every ? every : 1, digits);
        return Write(argv[5], text.original) && Write(argv[6], text.expected) ? 0 : 1;
    }
    if (mode == "plain" && argc == 5) {
        const unsigned count = std::strtoul(argv[2], nullptr, 10);
        const std::size_t size = std::strtoul(argv[3], nullptr, 10);
        for (unsigned i = 0; i < count; ++i)
            if (!Write(FileName(argv[4], i), MakeText(size, i * 7, true).original))
                return 1;
        return 0;
    }
    std::fputs("usage: compare_data files COUNT SIZE ORIGINALS EXPECTED | big SIZE ORIGINAL EXPECTED"
               " | plain COUNT SIZE FOLDER | words SIZE EVERY DIGITS ORIGINAL EXPECTED\n",
               stderr);
    return 2;
}
