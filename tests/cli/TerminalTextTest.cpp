#include "cli/TerminalText.h"

#include <gtest/gtest.h>

namespace {

// Narrow literals are compiled to code page 932; the terminal's texts are written as UTF-8.
std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

TEST(TerminalText, TextsTypedOnTheTerminal)
{
    const struct {
        const char* charset;
        bool asBytes;
        std::string typed;
        std::string taken;
        std::string error;
        bool utf8 = false;
    } cases[] = {
        {"UTF-8", false, Utf8(u8"旧社名"), "旧社名", ""},
        {"UTF-8", false, Utf8(u8"㈱①～髙"), "㈱①～髙", ""},
        {"utf8", false, Utf8(u8"表\\ソ"), "表\\ソ", ""},
        // Not UTF-8: the bytes as they are, so that Shift-JIS from a script still works.
        {"UTF-8", false, "\x95\x5c\x83\x5c", "\x95\x5c\x83\x5c", ""},
        // What code page 932 cannot hold stays UTF-8, for the files that can hold it.
        {"UTF-8", false, Utf8(u8"caf\u00e9"), Utf8(u8"caf\u00e9"), "", true},
        {"UTF-8", false, Utf8(u8"a\U0002000Bb"), Utf8(u8"a\U0002000Bb"), "", true},
        {"EUC-JP", false, "\x8F\xA2\xB7", "", "'\x8F\xA2\xB7' cannot be written in Shift-JIS (code page 932)"},
        // Characters iconv would fit onto a look-alike are refused, never turned into it.
        {"UTF-8", false, Utf8(u8"a\u00a5"), "", "'" + Utf8(u8"\u00a5") +
                                              "' cannot be written in Shift-JIS (code page 932): write the full-width '" +
                                              Utf8(u8"\uffe5") + "'"},
        {"UTF-8", false, Utf8(u8"\u203e"), "", "'" + Utf8(u8"\u203e") +
                                             "' cannot be written in Shift-JIS (code page 932): write the full-width '" +
                                             Utf8(u8"\uffe3") + "'"},
        {"UTF-8", false, Utf8(u8"\uffe5\uffe3\\~"), "\x81\x8f\x81\x50\\~", ""},
        {"UTF-8", true, Utf8(u8"旧"), Utf8(u8"旧"), ""},
        {"EUC-JP", false, "\xB5\xEC\xBC\xD2\xCC\xBE", "旧社名", ""},
        {"ANSI_X3.4-1968", false, Utf8(u8"旧"), Utf8(u8"旧"), ""},
        {"SHIFT_JIS", false, "\x95\x5c", "\x95\x5c", ""},
    };
    for (const auto& c : cases) {
        const TerminalText::Taken taken = TerminalText(c.charset, c.asBytes).FromTerminal(c.typed);
        EXPECT_EQ(taken.Text, c.taken) << c.charset << " " << c.typed;
        EXPECT_EQ(taken.Error, c.error) << c.charset << " " << c.typed;
        EXPECT_EQ(taken.Utf8, c.utf8) << c.charset << " " << c.typed;
    }
}

TEST(TerminalText, WhatIsShownOnTheTerminal)
{
    const TerminalText utf8("UTF-8", false);
    EXPECT_EQ(utf8.ProgramText("旧社名: ok"), Utf8(u8"旧社名: ok"));
    EXPECT_EQ(utf8.FileText("\x95\x5c\r\n", TextEncoding::ShiftJis), Utf8(u8"表\r\n"));
    EXPECT_EQ(utf8.FileText("\xB5\xEC\xAD\xA1", TextEncoding::EucJp), Utf8(u8"旧①"));
    EXPECT_EQ(utf8.FileText(Utf8(u8"旧"), TextEncoding::Utf8), Utf8(u8"旧"));
    // A stray byte stays itself and hides nothing around it.
    EXPECT_EQ(utf8.FileText("\x95\x5c\xFF\x95\x5c", TextEncoding::ShiftJis), Utf8(u8"表") + "\xFF" + Utf8(u8"表"));
    // A name is bytes: one in the terminal's set stays; one made on Windows is read as such.
    EXPECT_EQ(utf8.Name(Utf8(u8"d/表.txt")), Utf8(u8"d/表.txt"));
    EXPECT_EQ(utf8.Name("d/\x95\x5c.txt"), Utf8(u8"d/表.txt"));
    EXPECT_EQ(utf8.Name("d/\xFF.txt"), "d/\xFF.txt");
    // A control character is shown as an escape, never given to the terminal: one line a
    // name, and no escape sequence of a name's commands it.
    EXPECT_EQ(utf8.Name("new\nline\t\x1B[31m\x7F.txt"), "new\\nline\\t\\x1B[31m\\x7F.txt");
    EXPECT_EQ(utf8.Name("\x95\x5c\r.txt"), Utf8(u8"表\\r.txt"));
    // In UTF-8 the C1 controls too (U+009B starts a sequence as ESC [ does), no other letter.
    EXPECT_EQ(utf8.Name(Utf8(u8"x\u009B31m\u0080\u009F\u00A0\u00E4.txt")),
              "x\\xC2\\x9B31m\\xC2\\x80\\xC2\\x9F" + Utf8(u8"\u00A0\u00E4.txt"));
    // What the user typed, kept in Shift-JIS, is shown the same way.
    EXPECT_EQ(utf8.UserText("\x1B[31m\x95\x5c\n"), "\\x1B[31m" + Utf8(u8"表") + "\\n");

    const TerminalText bytes("UTF-8", true);
    EXPECT_EQ(bytes.FileText("\x95\x5c", TextEncoding::ShiftJis), "\x95\x5c");
    EXPECT_EQ(bytes.Name("\x95\x5c"), "\x95\x5c");
    EXPECT_EQ(TerminalText("EUC-JP", false).FileText("\x95\x5c", TextEncoding::ShiftJis), "\xC9\xBD");
    EXPECT_EQ(TerminalText("C", false).ProgramText("旧"), "旧");
}

}  // namespace
