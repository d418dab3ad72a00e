#include "lists/PatternEditRules.h"

PatternEditEnables EditablePatternEnables(bool regularExpression, bool libraryLoaded)
{
    const bool regex = regularExpression && libraryLoaded;
    return {true, !regex, libraryLoaded, regex};
}
