#include "app/RunRefusalText.h"

#include "editor/ExpressionCheck.h"
#include "framework/Resources.h"
#include "resources/ResourceIds.h"

std::string RunRefusalText(const RunCheck& check, const std::string& listName)
{
    switch (check.Refusal) {
    case RunRefusal::ReplaceListNotFound:
        return listName + "\n\n" + LoadResourceString(IDS_REPLACE_LIST_NOT_FOUND);
    case RunRefusal::ReplaceListUnreadable:
        return listName + "\n\n" + LoadResourceString(IDS_REPLACE_LIST_UNREADABLE);
    case RunRefusal::ReplaceListEmpty:
        return listName + "\n\n" + LoadResourceString(IDS_REPLACE_LIST_EMPTY);
    case RunRefusal::NoRegexLibrary:
        return LoadResourceString(IDS_NO_REGEX_LIBRARY);
    case RunRefusal::RejectedExpression:
        return RejectedExpressionText(LoadResourceString(IDS_REGEX_REJECTED), check.Expression, check.LibraryMessage);
    case RunRefusal::None:
        break;
    }
    return std::string();
}
