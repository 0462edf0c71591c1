// What the Dish Setting page shows of the current satellite and transponder
// (the motor controls have rules of their own).
#pragma once

#include "common/RuleResult.h"
#include "database/ChannelRecords.h"

#include <string>
#include <vector>

struct TransponderComboItem {
    std::string text;                      // the frequency, "%u"
    TransponderRecord* record = nullptr;   // the item's data
};

struct DishTransponderView {
    MessageRef dishTypeName;                   // empty for no satellite or an unknown dish type
    std::string satelliteText;                 // "%s (%u)" from name and degree
    std::string degreeText;                    // the satellite's degree, "%u"
    std::vector<TransponderComboItem> items;   // the satellite's transponders in database order
    int selectedIndex = -1;                    // the current transponder's item, -1 for none
    bool transponderControlsEnabled = false;   // frequency, symbol rate and both polarity buttons
    std::string frequencyText;                 // combo text and kept frequency, "%u"
    std::string symbolRateText;                // "%u"
    int polarity = -1;                         // radio index, -1 for none
};

// Everything empty and disabled without a satellite; the transponder fields
// stay empty while the satellite has no current transponder.
DishTransponderView BuildDishTransponderView(SatelliteRecord* satellite, const TransponderRecord* current);

// The dish type's text: the LNB & Switch page's radio button of that type
// names the language key ("1018", "1019", "1020"), with "Fixed", "DiSEqC 1.2
// motor" and "USALS" as the English texts; empty for values the page does
// not know.
MessageRef DishTypeName(std::int32_t dishType);
