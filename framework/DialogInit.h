// Combo-box items kept with a dialog template as a resource of type 240
// ("dialog init" data), added to their controls when the dialog opens.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DialogInitItem {
    WORD controlId;
    WORD message;
    std::string text;
};

// Parses the data: per item a WORD control id, a WORD message, a DWORD byte
// count and that many bytes of text; a zero control id ends the list. Stops at
// the first item that does not fit the data.
std::vector<DialogInitItem> ParseDialogInit(const std::uint8_t* data, std::size_t size);

// The data keeps the add-string messages of 16-bit Windows (0x0401 list box,
// 0x0403 combo box), which today's controls do not know: the message to send
// for a stored one (others are sent as they are).
UINT DialogInitMessage(WORD stored);

// Sends each item to its control in the dialog.
void SendDialogInitItems(HWND dialog, const std::vector<DialogInitItem>& items);
// Sends every item of the template's data to its control.
void ApplyDialogInit(HWND dialog, HMODULE module, UINT templateId);
