#include "framework/ToolTip.h"

#include "framework/UiText.h"

#include <commctrl.h>

CToolTip::~CToolTip()
{
    if (window != nullptr && IsWindow(window))
        DestroyWindow(window);
}

void CToolTip::SetTip(HWND owner, UINT id, const RECT& area, const std::string& tip)
{
    if (owner == nullptr)
        return;
    if (window == nullptr) {
        window = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (window == nullptr)
            return;
    }
    std::wstring wide = WideText(tip);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;   // understood with or without the version 6 controls
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = id;
    tool.rect = area;
    tool.lpszText = wide.data();
    if (tip.empty()) {
        if (added)
            SendMessageW(window, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        added = false;
    } else if (!added) {
        added = SendMessageW(window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
    } else {
        SendMessageW(window, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    text = tip;
}
