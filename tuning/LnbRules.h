// The rules of the LNB & Switch page: every change goes straight into the
// current satellite's record. Nothing here reaches the card; the lock sequence
// reads the record later. A null satellite (none in the database) changes
// nothing and asks nothing of the main dialog.
#pragma once

#include "common/RuleResult.h"
#include "database/ChannelRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr int kLnbTypeNormal = 0;
constexpr int kLnbTypeUniversal = 1;
constexpr int kLnbTypeCustom = 2;

// Combo box items in index order; the index is the value stored.
inline constexpr const char* kLnbTypeItems[] = {"Normal", "Universal", "Custom"};
inline constexpr const char* kDiseqcPortItems[] = {"Disable", "LNB A", "LNB B", "LNB C", "LNB D"};

struct LnbFrequencyPair {
    std::uint32_t frequency1 = 0;   // MHz
    std::uint32_t frequency2 = 0;
    bool operator==(const LnbFrequencyPair&) const = default;
};

// The local oscillators of Normal (5150, 5750) and Universal (9750, 10600);
// nothing for Custom or an unknown type.
std::optional<LnbFrequencyPair> FixedLnbPair(int lnbType);
// What a satellite switched to Custom starts from when it held a fixed pair or (0, 0).
constexpr LnbFrequencyPair kCustomLnbStartPair{11300, 0};

// The state of the page's controls. Radio and combo indexes are -1 for none.
struct LnbPageView {
    int dishType = -1;
    int tone22k = 0;
    int lnbPower = 1;
    int diseqcPort = -1;
    int lnbType = kLnbTypeUniversal;
    bool frequencyEditsEnabled = false;
    std::string frequency1Text;
    std::string frequency2Text;
};

// Refresh: the view of the satellite, after writing the fixed pair of a
// Normal or Universal type into it. Null gives the neutral view.
LnbPageView RefreshLnbPage(SatelliteRecord* satellite);

struct LnbTypeChoice {
    bool applied = false;   // false: no satellite or no item; leave the page as it is
    bool frequencyEditsEnabled = false;
    std::string frequency1Text;
    std::string frequency2Text;
    MainDialogEffects effects;
};
LnbTypeChoice ChooseLnbType(SatelliteRecord* satellite, int index);

MainDialogEffects ChooseDiseqcPort(SatelliteRecord* satellite, int index);
MainDialogEffects SetDishType(SatelliteRecord* satellite, int index);
MainDialogEffects SetTone22k(SatelliteRecord* satellite, bool on);
MainDialogEffects SetLnbPower(SatelliteRecord* satellite, bool on);

enum class LnbFrequencyField { First, Second };

struct LnbFrequencyEdit {
    std::string text;            // what the edit must show
    bool textReplaced = false;   // put text back into the edit
    MainDialogEffects effects;
};
// A text change of a frequency edit: an empty text becomes "0"; a text that
// is not a number up to 99999 gives way to the previous text. The number
// shown is stored in the satellite.
LnbFrequencyEdit EditLnbFrequency(SatelliteRecord* satellite, LnbFrequencyField field, std::string_view previousText,
                                  std::string_view typedText);

// The USALS dish type cannot be chosen on cards of kind 3.
bool IsUsalsAvailable(int deviceKind);
