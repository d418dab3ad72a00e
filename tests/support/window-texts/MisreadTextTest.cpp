#include "tests/support/window-texts/MisreadText.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* what;
    std::u16string_view text;
    bool misread;
};

// The misread forms are what the conversions really make of 置換え, ファイル and ひらがな.
const Case cases[] = {
    {"Japanese text", u"置換えリスト編集", false},
    {"one question mark is a question", u"よろしいですか?", false},
    {"an optional letter of an expression", u"colou?r", false},
    {"question marks apart", u"?a?", false},
    {"the katakana middle dot", u"ファイル・フォルダ", false},
    {"a full-width question mark pair", u"？？", false},
    {"Latin letters and signs of code page 932", u"Copyright (C) 2026 × ÷ ° ± §", false},
    {"the empty text", u"", false},
    {"Japanese narrowed to code page 1252", u"??????", true},
    {"a run inside a text", u"検索文字列(&F) ??", true},
    {"a run at the end", u"Tarvelox ??", true},
    {"Shift-JIS read as UTF-8", u"\uFFFD\uFFFDu\uFFFD", true},
    {"Shift-JIS widened as Latin-1", u"\u0092u\u008a\u00b7", true},
    {"katakana read as code page 1252", u"\u0192t\u0192@\u0192C\u0192\u2039", true},
    {"hiragana read as code page 1252", u"\u2019u\u0160\u00b7\u201a\u00a6", true},
    {"hiragana in UTF-8 read as code page 932", u"\u7e3a\uff72\u7e67\u5ce8\u2032\u7e3a\uff6a", true},
    {"katakana in UTF-8 read as code page 932", u"\u7e5d\u8f14\u3043\u7e67\uff64\u7e5d\uff6b", true},
};

TEST(MisreadTextTest, NamesASignOnlyInAMisreadText)
{
    for (const Case& c : cases)
        EXPECT_EQ(!MisreadSign(c.text).empty(), c.misread) << c.what;
}

}  // namespace
