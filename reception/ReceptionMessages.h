// Message texts of the PID page, the PID Info dialog and the MAC address
// dialog.
#pragma once

#include "common/RuleResult.h"

namespace ReceptionMessages {

inline constexpr MessageRef kPidTextTooLong{"String3", "Cann't input more than four chars."};
inline constexpr MessageRef kPidOutOfHexRange{"String4", "Input Data PID between Hex: 0015-1FFE."};
inline constexpr MessageRef kPidOutOfDecimalRange{"String5", "Input Data PID between Dec: 21-8190."};
inline constexpr MessageRef kPidAlreadyExists{"String6", "This PID already exist."};
inline constexpr MessageRef kConfirmRemovePid{"String7", "Are you sure to remove the current PID?"};
inline constexpr MessageRef kPidTextEmpty{"String12", "Error!PID Data can`t be empty!!!"};
inline constexpr MessageRef kPidOutOfRange{"String13", "Input Data PID between 21 and 8190 (Hex: 0015-1FFE)!"};
inline constexpr MessageRef kPidLoadFailed{"String34", "Fail to load this PID"};
inline constexpr MessageRef kPidUnloadFailed{"String35", "Fail to unload this PID"};
inline constexpr MessageRef kPidRemoveRefused{
    "String78", "The card refused to unload this PID, so it stays in the list: it may still be in the card's "
                "filter, and only this entry can unload it. Try again later."};

// The MAC address dialog's Save messages are never looked up in a language
// file: they are shown as they stand.
inline constexpr const char* kMacRegistryFailed = "Set New MAC address to registry error!";
inline constexpr const char* kMacDriverFailed = "Set New MAC address error!";
inline constexpr const char* kMacSaved = "Set new MAC address OK";
// A new-address field is never guessed at: the adapter would take a wrong
// address silently.
inline constexpr const char* kMacFieldNotHex = "Each MAC address field takes one or two hexadecimal digits (0-9, A-F).";

}   // namespace ReceptionMessages
