#include "framework/MessageLoop.h"

#include "framework/Dialog.h"
#include "framework/ModalLoop.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<HWND>& ModelessDialogs()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}
}   // namespace

void CMessageLoop::AddModeless(HWND dialog)
{
    auto& dialogs = ModelessDialogs();
    if (std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end())
        dialogs.push_back(dialog);
}

void CMessageLoop::RemoveModeless(HWND dialog)
{
    auto& dialogs = ModelessDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool CMessageLoop::PreTranslate(MSG& message)
{
    for (HWND window = message.hwnd; window != nullptr;
         window = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr) {
        CDialog* dialog = CDialog::FromHandle(window);
        if (dialog != nullptr && dialog->PreTranslateMessage(message))
            return true;
    }
    // A copy: a dialog may be destroyed while it handles the message.
    const std::vector<HWND> dialogs = ModelessDialogs();
    for (HWND dialog : dialogs) {
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &message))
            return true;
    }
    return false;
}

int CMessageLoop::Run()
{
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return -1;
        if (!PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // Here no modal loop of the program is open.
        CModalLoop::DeliverWaitingRequest();
    }
    return static_cast<int>(message.wParam);
}
