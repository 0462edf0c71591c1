// The texts of the scans: their message keys with the English fallbacks, and
// the filling of a translated text's numbered places ("%1 of %2"), which
// never reads more than it is given, whatever a language file holds.
#pragma once

#include "common/RuleResult.h"
#include "tuning/ImportSummary.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr MessageRef kCheckCaption{"String110", "Satellite check"};
inline constexpr MessageRef kChannelScanCaption{"String111", "Channel scan"};
inline constexpr MessageRef kScanProgressLine{"String112", "%1 of %2: %3"};
inline constexpr MessageRef kCheckLockedCount{"String113", "%1 of %2 transponders locked."};
inline constexpr MessageRef kTransponderColumn{"String114", "Transponder"};
inline constexpr MessageRef kLockTimeColumn{"String115", "Lock time (ms)"};
inline constexpr MessageRef kYesText{"String116", "Yes"};
inline constexpr MessageRef kNoText{"String117", "No"};
inline constexpr MessageRef kRemoveUnlockedQuestion{
    "String118",
    "Remove the %1 transponders that did not lock from the satellite? Nothing is saved until Apply, and Restore "
    "brings them back."};
inline constexpr MessageRef kFrequenciesTried{"String119", "Frequencies tried:"};
inline constexpr MessageRef kScanCancelled{"String120", "Cancelled: the rest was not tried."};
inline constexpr MessageRef kScanStepRefused{
    "String121", "Step must be a whole number of MHz from 1 to 8, or empty for the European channel raster."};
inline constexpr MessageRef kFoundChannelsPending{
    "String122", "The new channels are kept until Apply or OK; Restore takes them back."};
// Shared with the signal window and the import summary.
inline constexpr MessageRef kLockedColumn{"String63", "Locked"};
inline constexpr MessageRef kStrengthColumn{"String61", "Strength"};
inline constexpr MessageRef kQualityColumn{"String62", "Quality"};
inline constexpr MessageRef kAddedLabel{"String50", "Added:"};
inline constexpr MessageRef kAlreadyThereLabel{"String51", "Already in the list, skipped:"};

// The text of a message in the user's language, or its English fallback.
inline std::string TextOf(const MessageLookup& text, const MessageRef& message)
{
    return text(message.key, message.english);
}

// "%1" to "%9" replaced by the values given; a place without a value, and
// every other "%", stay as they are.
std::string FillPlaces(std::string_view text, const std::vector<std::string>& values);
