// The program is MIT-licensed by the holder its legal notice names: the licence file, the
// Debian copyright file and the help say the same.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "ProductInfo.h"
#include "tests/support/TestFiles.h"

namespace {

TEST(Licence, EveryPlaceNamesTheMitLicenceOfTheLegalNoticesHolder)
{
    // "Copyright (C) 2026 Tarvelox": the year and the holder.
    std::smatch notice;
    const std::string legal = TARVELOX_LEGAL_COPYRIGHT;
    ASSERT_TRUE(std::regex_match(legal, notice, std::regex(R"(Copyright \(C\) (\d{4}) (.+))")));
    const std::string year = notice[1];
    const std::string holder = notice[2];
    const struct {
        const char* File;
        std::string Licence;
        std::string Copyright;
    } places[] = {
        {TARVELOX_LICENCE, "MIT License", "Copyright (c) " + year + " " + holder + "\n"},
        {TARVELOX_DEBIAN_COPYRIGHT, "License: Expat\n Permission is hereby granted",
         "Files: *\nCopyright: " + year + " " + holder + "\nLicense: Expat\n"},
        // The help is UTF-8: "MIT ライセンス", and the notice in full-width parentheses.
        {TARVELOX_HELP_DOCUMENT, "MIT \xE3\x83\xA9\xE3\x82\xA4\xE3\x82\xBB\xE3\x83\xB3\xE3\x82\xB9",
         "Copyright (c) " + year + " " + holder + "\xEF\xBC\x89"},
    };
    for (const auto& place : places) {
        const std::string text = ReadBytes(place.File);
        EXPECT_NE(text.find(place.Licence), std::string::npos) << place.File;
        EXPECT_NE(text.find(place.Copyright), std::string::npos) << place.File;
    }
}

}  // namespace
