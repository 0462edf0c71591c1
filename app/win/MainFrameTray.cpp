// The notification-area icon's callback: double click and the popup menu.
#include "app/win/MainDlg.h"
#include "app/win/MainFrame.h"
#include "app/win/StartWithWindows.h"
#include "framework/MessageBox.h"
#include "framework/ModalLoop.h"
#include "framework/UiText.h"
#include "language/LanguageFile.h"
#include "resources/ProgramIdentity.h"

void CMainFrame::OnTrayNotify(LPARAM mouseMessage)
{
    if (!mainDialog)
        return;
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        // A minimised dialog is brought back too: the user cannot see it either.
        HWND dialog = mainDialog->GetSafeHwnd();
        const bool minimised = dialog != nullptr && IsIconic(dialog);
        if (!DialogVisible() || minimised) {
            mainDialog->Show(SW_SHOW);
            if (minimised)
                PostMessageA(dialog, WM_SYSCOMMAND, SC_RESTORE, 0);
        }
    } else if (mouseMessage == WM_RBUTTONUP) {
        ShowTrayMenu();
    }
}

void CMainFrame::ShowTrayMenu()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    const std::string languageFile = mainDialog->AppliedLanguageFile();
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return;
    // A minimised dialog is visible to the system, so the menu offers Hide.
    const std::string showHide =
        DialogVisible() ? Message(languageFile, "String36", "Hide") : Message(languageFile, "String37", "Show");
    AppendMenuW(menu, MF_STRING, kCommandShowHide, WideText(showHide).c_str());
    AppendMenuW(menu, MF_STRING, kCommandSignal, WideText(Message(languageFile, "String67", "Signal...")).c_str());
    AppendMenuW(menu, MF_STRING | (StartsWithWindows() ? MF_CHECKED : MF_UNCHECKED), kCommandStartWithWindows,
                WideText(Message(languageFile, "String91", "Start with Windows")).c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kCommandAbout, WideText(Message(languageFile, "String38", "About")).c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kCommandExit, WideText(Message(languageFile, "String39", "Exit")).c_str());

    CModalLoop loop(CModalLoop::Kind::Menu);
    if (loop.MayRun()) {
        // Without the foreground the menu would not close when the user clicks
        // elsewhere; the empty message lets it close properly afterwards.
        SetForegroundWindow(hwnd);
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd, nullptr);
        PostMessageA(hwnd, WM_NULL, 0, 0);
    }
    DestroyMenu(menu);
}
