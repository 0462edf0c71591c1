// Message texts of the PID page, the PID Info dialog and the MAC address
// dialog. The dialogs look `key` up in the current language file and show
// `english` when the lookup is empty; a null key marks a text that is never
// translated and is shown as it stands.
#pragma once

struct MessageText {
    const char* key;
    const char* english;
};

namespace ReceptionMessages {

inline constexpr MessageText kPidTextTooLong{"String3", "Cann't input more than four chars."};
inline constexpr MessageText kPidOutOfHexRange{"String4", "Input Data PID between Hex: 0015-1FFE."};
inline constexpr MessageText kPidOutOfDecimalRange{"String5", "Input Data PID between Dec: 21-8190."};
inline constexpr MessageText kPidAlreadyExists{"String6", "This PID already exist."};
inline constexpr MessageText kConfirmRemovePid{"String7", "Are you sure to remove the current PID?"};
inline constexpr MessageText kPidTextEmpty{"String12", "Error!PID Data can`t be empty!!!"};
inline constexpr MessageText kPidOutOfRange{"String13", "Input Data PID between 21 and 8190 (Hex: 0015-1FFE)!"};
inline constexpr MessageText kPidLoadFailed{"String34", "Fail to load this PID"};
inline constexpr MessageText kPidUnloadFailed{"String35", "Fail to unload this PID"};

inline constexpr MessageText kMacRegistryFailed{nullptr, "Set New MAC address to registry error!"};
inline constexpr MessageText kMacDriverFailed{nullptr, "Set New MAC address error!"};
inline constexpr MessageText kMacSaved{nullptr, "Set new MAC address OK"};
// A new-address field must not be guessed at: the adapter would take a wrong
// address silently.
inline constexpr MessageText kMacFieldNotHex{
    "String42", "Each MAC address field takes one or two hexadecimal digits (0-9, A-F)."};

}  // namespace ReceptionMessages
