#include "tests/e2e/PageDriving.h"

#include "tests/e2e/SimulatorIni.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr UINT kSendTimeoutMs = 15000;

void SendQuietly(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, nullptr);
}

}  // namespace

HWND PageOf(HWND mainDialog, int controlId)
{
    return GetParent(FindControl(mainDialog, controlId));
}

bool ShowTab(HWND mainDialog, int index, int controlOnPage)
{
    HWND tab = FindControl(mainDialog, 1007);
    SendQuietly(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
    SendQuietly(tab, WM_KEYDOWN, VK_RETURN, 0);
    HWND page = PageOf(mainDialog, controlOnPage);
    return WaitFor([&] { return IsWindowVisible(page) != FALSE; });
}

void SendNotification(HWND control, WORD code)
{
    SendQuietly(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                reinterpret_cast<LPARAM>(control));
}

void EnterText(HWND control, const std::string& text, WORD killFocusCode)
{
    SetText(control, text);
    SendNotification(control, killFocusCode);
}

void ChooseRadio(HWND dialog, int chosenId, const std::vector<int>& groupIds)
{
    for (int id : groupIds)
        SendQuietly(GetDlgItem(dialog, id), BM_SETCHECK, id == chosenId ? BST_CHECKED : BST_UNCHECKED, 0);
    SendNotification(GetDlgItem(dialog, chosenId), BN_CLICKED);
}

void ChooseItemNow(HWND combo, int index)
{
    SendQuietly(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendNotification(combo, CBN_SELCHANGE);
}

bool IsChecked(HWND button)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &state);
    return state == BST_CHECKED;
}

std::string ComboText(HWND combo)
{
    return WindowText(combo);
}

HWND WaitForProgramMessage(const LumisatRun& run, std::chrono::milliseconds timeout)
{
    return run.WaitForMessageBox(timeout);
}

bool NoProgramMessageFor(const LumisatRun& run, std::chrono::milliseconds time)
{
    return run.NoMessageBoxFor(time);
}

bool Answer(HWND box, int buttonId)
{
    // A click posted while the box is still being set up can be lost under
    // load: click again while the box stays.
    for (int attempt = 0; attempt < 3; ++attempt) {
        AnswerMessageBox(box, buttonId);
        if (WaitFor([&] { return IsWindow(box) == FALSE; }, std::chrono::seconds(5)))
            return true;
    }
    return false;
}

void WaitForStartupLock(const LumisatRun& run)
{
    run.WaitForCall("LockChannel3(", 0, std::chrono::milliseconds(2000));
    // A silent lock at start-up comes first; the one of timer 503 follows
    // 110 ms after the dialog's initialisation.
    Sleep(700);
    // The lock waits for the card on the user-interface thread; a sent
    // message comes back only after that.
    SendQuietly(run.MainDialog(), WM_NULL, 0, 0);
}

std::vector<std::string> CallsFrom(const LumisatRun& run, const std::string& prefix, size_t from)
{
    std::vector<std::string> calls;
    const std::vector<std::string> lines = run.CallLogLines();
    for (size_t i = from; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) == 0)
            calls.push_back(lines[i]);
    }
    return calls;
}

FileSatellite Astra()
{
    FileSatellite astra;
    astra.name = "Astra";
    astra.degree = 192;
    astra.transponders.push_back({"11494H/22000", 11494, 22000, 1});
    return astra;
}

bool StartWithSatellites(LumisatRun& run, const std::vector<FileSatellite>& satellites, int kind)
{
    run.WriteIni(CardIni(kind));
    run.WriteFile("satedata.dll", SatelliteFileBytes(satellites));
    if (!run.Start())
        return false;
    WaitForStartupLock(run);
    return true;
}

bool ApplyAndReadDatabase(const LumisatRun& run, std::vector<FileSatellite>& saved)
{
    constexpr int kApply = 1009;
    HWND apply = FindControl(run.MainDialog(), kApply);
    if (!IsWindowEnabled(apply))
        return false;
    Click(apply);
    // Apply may lock first, with the wait dialog; it ends by disabling itself.
    if (!WaitFor([&] { return IsWindowEnabled(apply) == FALSE; }, std::chrono::seconds(15)))
        return false;
    return ParseSatelliteFile(run.ReadFile("satedata.dll"), saved);
}
