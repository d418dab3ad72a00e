#include "lists/OptionBoxes.h"

PatternOptions OptionsOf(const OptionBoxes& boxes)
{
    PatternOptions options = 0;
    for (const OptionBox& box : OptionBoxTable)
        if (boxes.*box.Box != 0)
            options |= box.Option;
    return options;
}

void SetOptions(OptionBoxes& boxes, PatternOptions options)
{
    for (const OptionBox& box : OptionBoxTable)
        boxes.*box.Box = HasOption(options, box.Option) ? 1 : 0;
}
