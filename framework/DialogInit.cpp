#include "framework/DialogInit.h"

#include <cstring>

namespace {
constexpr WORD kDialogInitType = 240;
constexpr WORD kStoredListBoxAddString = 0x0401;
constexpr WORD kStoredComboBoxAddString = 0x0403;

template <class T>
T ReadValue(const std::uint8_t* data)
{
    T value;
    std::memcpy(&value, data, sizeof(value));
    return value;
}
}   // namespace

std::vector<DialogInitItem> ParseDialogInit(const std::uint8_t* data, std::size_t size)
{
    std::vector<DialogInitItem> items;
    std::size_t at = 0;
    while (data != nullptr && at + 2 <= size) {
        const WORD id = ReadValue<WORD>(data + at);
        if (id == 0 || at + 8 > size)
            break;
        const WORD message = ReadValue<WORD>(data + at + 2);
        const DWORD length = ReadValue<DWORD>(data + at + 4);
        at += 8;
        if (length > size - at)
            break;
        std::string text(reinterpret_cast<const char*>(data + at), length);
        text.resize(std::strlen(text.c_str()));   // up to the terminating zero
        items.push_back({id, message, text});
        at += length;
    }
    return items;
}

UINT DialogInitMessage(WORD stored)
{
    switch (stored) {
    case kStoredListBoxAddString: return LB_ADDSTRING;
    case kStoredComboBoxAddString: return CB_ADDSTRING;
    default: return stored;
    }
}

void SendDialogInitItems(HWND dialog, const std::vector<DialogInitItem>& items)
{
    for (const DialogInitItem& item : items) {
        SendDlgItemMessageA(dialog, item.controlId, DialogInitMessage(item.message), 0,
                            reinterpret_cast<LPARAM>(item.text.c_str()));
    }
}

void ApplyDialogInit(HWND dialog, HMODULE module, UINT templateId)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(kDialogInitType));
    if (found == nullptr)
        return;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return;
    SendDialogInitItems(dialog, ParseDialogInit(static_cast<const std::uint8_t*>(data), SizeofResource(module, found)));
}
