#include "about/AboutLines.h"

#include <gtest/gtest.h>

namespace {

TEST(AboutLines, ProductNameVersionAndLegalNotice)
{
    const AboutLines lines = MakeAboutLines(platform::VersionStrings{"Tarvelox", "1.2.3", "(C) us"});
    EXPECT_EQ(lines.Product, "Tarvelox version 1.2.3");
    EXPECT_EQ(lines.Legal, "(C) us");
    const AboutLines none = MakeAboutLines(std::nullopt);
    EXPECT_EQ(none.Product, "");
    EXPECT_EQ(none.Legal, "");
}

TEST(AboutLines, ATextWithoutAColonOpensAsAMailAddress)
{
    const struct {
        const char* text;
        const char* target;
    } cases[] = {
        {"support@tarvelox.example.org", "mailto:support@tarvelox.example.org"},
        {"https://tarvelox.example.org/", "https://tarvelox.example.org/"},
        {"mailto:a@b", "mailto:a@b"},
        {"news:x", "news:x"},
        {"", "mailto:"},
        // No second byte of a double-byte character is a colon.
        {"\x83\x41@example.org", "mailto:\x83\x41@example.org"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkTarget(c.text), c.target) << c.text;
}

}  // namespace
