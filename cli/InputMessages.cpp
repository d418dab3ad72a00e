#include "cli/InputMessages.h"

namespace {

const char* ReasonText(PassedOverReason reason)
{
    switch (reason) {
    case PassedOverReason::NotFound:
        return "no such file or folder";
    case PassedOverReason::NotFileOrFolder:
        return "neither a file nor a folder";
    case PassedOverReason::UnreadableFolder:
        return "cannot read this folder";
    case PassedOverReason::LinkToNothing:
        return "a link that leads nowhere";
    case PassedOverReason::UnreadableNameList:
        return "cannot read this list of names";
    case PassedOverReason::NameNotCarried:
        return "its name holds a character code page 932 cannot hold";
    }
    return "";
}

}  // namespace

std::string RefusalLine(const RunCheck& check, const std::string& listName, const TerminalText& terminal)
{
    const std::string list = terminal.Name(listName);
    std::string why;
    switch (check.Refusal) {
    case RunRefusal::ReplaceListNotFound:
        why = "the replace list " + list + " was not found";
        break;
    case RunRefusal::ReplaceListUnreadable:
        why = "the replace list " + list + " cannot be read";
        break;
    case RunRefusal::ReplaceListEmpty:
        why = "the replace list " + list + " holds no pattern";
        break;
    case RunRefusal::NoRegexLibrary:
        why = "a pattern is a regular expression, but the regular-expression library could not be loaded";
        break;
    case RunRefusal::RejectedExpression:
        why = "the regular-expression library does not accept " + terminal.ProgramText(check.Expression) + ": " +
              terminal.ProgramText(check.LibraryMessage);
        break;
    case RunRefusal::None:
        return std::string();
    }
    return "tarvelox: " + why + "; nothing was changed\n";
}

std::string PassedOverLines(const std::vector<PassedOverName>& names, const TerminalText& terminal)
{
    std::string lines;
    for (const PassedOverName& name : names)
        lines += "tarvelox: " + terminal.Name(name.Name) + ": " + ReasonText(name.Reason) + "\n";
    return lines;
}
