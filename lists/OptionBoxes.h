#pragma once
// The six option check boxes of a single pattern, as 0 or 1. The main window and the
// pattern edit dialog both show them, under the same control ids, and exchange them with
// their controls through one table.
#include "engine/pattern/PatternOptions.h"
#include "resources/ResourceIds.h"

struct OptionBoxes {
    int NotEscape = 0;
    int NotCase = 0;
    int RegularExpression = 0;
    int Kanji = 0;
    int Multiline = 0;
    int Ignorecase = 0;

    bool operator==(const OptionBoxes&) const = default;
};

struct OptionBox {
    int OptionBoxes::*Box;
    PatternOption Option;
    int ControlId;
};

inline constexpr OptionBox OptionBoxTable[] = {
    {&OptionBoxes::NotEscape, NotEscape, IDC_NOT_ESCAPE},
    {&OptionBoxes::NotCase, NotCase, IDC_NOT_CASE},
    {&OptionBoxes::RegularExpression, RegularExpression, IDC_REGULAR_EXPRESSION},
    {&OptionBoxes::Kanji, Kanji, IDC_KANJI},
    {&OptionBoxes::Multiline, Multiline, IDC_MULTILINE},
    {&OptionBoxes::Ignorecase, Ignorecase, IDC_IGNORECASE},
};

PatternOptions OptionsOf(const OptionBoxes& boxes);
void SetOptions(OptionBoxes& boxes, PatternOptions options);

// The boxes moved between a dialog's controls and `boxes` by the dialog's data exchange
// (DDX_Check, found with the exchange's type).
template <class DataExchange>
void ExchangeOptionBoxes(DataExchange& dx, OptionBoxes& boxes)
{
    for (const OptionBox& box : OptionBoxTable)
        DDX_Check(dx, box.ControlId, boxes.*box.Box);
}
