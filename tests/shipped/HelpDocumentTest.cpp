// The help document ships beside the program: it must name what the program really uses
// (settings keys, status words, file names) and its links must lead somewhere.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "app/SettingsStore.h"
#include "engine/run/ResultLog.h"
#include "engine/undo/UndoLog.h"
#include "lists/ListLocations.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string& HelpText()
{
    static const std::string text = ReadBytes(TARVELOX_HELP_DOCUMENT);
    return text;
}

bool Mentions(const std::string& code)
{
    return HelpText().find("<code>" + code + "</code>") != std::string::npos;
}

// The status word the log prints for a failure code, without its padding.
std::string StatusWord(FileResult code)
{
    ResultLog log;
    log.AddLogLine("a", code);
    const std::string line = log.Text().substr(log.Text().size() - 10, 8);
    return line.substr(line.find_first_not_of(' '));
}

TEST(HelpDocument, NamesEverySettingsKey)
{
    for (const SettingDefinition& definition : SettingDefinitions())
        EXPECT_TRUE(Mentions(definition.Key)) << definition.Key;
    for (const char* section : {MainSection, SettingSection, ProcessSection})
        EXPECT_TRUE(Mentions(section)) << section;
}

TEST(HelpDocument, ExplainsEveryStatusWordOfTheLog)
{
    for (FileResult code : {NotOpen, MemLack, NoText, RegExpER, Cancel, WriteErr, UndoErr})
        EXPECT_TRUE(Mentions(StatusWord(code))) << code;
    for (UndoResult result : {UndoResult::Restored, UndoResult::RestoredBefore, UndoResult::Changed,
                              UndoResult::Missing, UndoResult::NotKept, UndoResult::NotOpen, UndoResult::WriteErr}) {
        const std::string word = UndoWord(result);
        EXPECT_TRUE(Mentions(word.substr(word.find_first_not_of(' ')))) << word;
    }
}

TEST(HelpDocument, NamesTheFilesTheProgramWrites)
{
    for (const std::string name : {SettingsFileName, HistoryFileName, DefaultListFileName, LegacyListFileName,
                                   "replace.log", ".tarvelox.tmp", ".bak", "bregexp.dll"})
        EXPECT_NE(HelpText().find(name), std::string::npos) << name;
}

TEST(HelpDocument, EveryLinkInsideLeadsToAnAnchor)
{
    const std::string& text = HelpText();
    std::set<std::string> anchors;
    const std::regex id(R"re(\bid="([^"]+)")re");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), id); it != std::sregex_iterator(); ++it)
        EXPECT_TRUE(anchors.insert((*it)[1]).second) << "twice: " << (*it)[1];
    const std::regex link(R"re(href="#([^"]+)")re");
    int links = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it, ++links)
        EXPECT_TRUE(anchors.count((*it)[1])) << "no anchor: " << (*it)[1];
    EXPECT_GT(links, 10);
}

}  // namespace
