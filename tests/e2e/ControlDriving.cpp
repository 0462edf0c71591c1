#include "tests/e2e/ControlDriving.h"

#include <commctrl.h>

#include <type_traits>

namespace {

LRESULT SendQuietly(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 15000, &result);
    return static_cast<LRESULT>(result);
}

struct ControlSearch {
    int id;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (GetDlgCtrlID(window) != search->id || (search->visibleOnly && !IsWindowVisible(window)))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND SearchControl(HWND root, int id, bool visibleOnly)
{
    ControlSearch search{id, visibleOnly, nullptr};
    EnumChildWindows(root, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Narrow(const std::wstring& wide)
{
    char text[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof(text) - 1, nullptr, nullptr);
    return text;
}

// Sends a message whose parameter is an item of the control: the item goes
// into memory of the control's process with room for a text after it, which
// its text pointer names. Gives the item and the text as the control left them.
template <typename Item, typename Char = std::remove_pointer_t<decltype(Item::pszText)>>
std::basic_string<Char> SendItem(HWND control, UINT message, WPARAM wParam, Item& item)
{
    constexpr int kChars = 256;
    Char text[kChars] = {};
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr)
        return text;
    if (auto* remote = static_cast<char*>(
            VirtualAllocEx(process, nullptr, sizeof(Item) + sizeof(text), MEM_COMMIT, PAGE_READWRITE))) {
        item.pszText = reinterpret_cast<Char*>(remote + sizeof(Item));
        item.cchTextMax = kChars;
        WriteProcessMemory(process, remote, &item, sizeof(item), nullptr);
        SendMessageW(control, message, wParam, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &item, sizeof(item), nullptr);
        ReadProcessMemory(process, remote + sizeof(Item), text, sizeof(text) - sizeof(Char), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

}  // namespace

std::string WindowText(HWND window)
{
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::wstring WideWindowText(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

HWND FindControl(HWND root, int id)
{
    return SearchControl(root, id, false);
}

HWND FindVisibleControl(HWND root, int id)
{
    return SearchControl(root, id, true);
}

void Click(HWND control)
{
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

void SendNotification(HWND control, WORD code)
{
    SendQuietly(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                reinterpret_cast<LPARAM>(control));
}

void SetText(HWND control, const std::string& text)
{
    SendQuietly(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void EnterText(HWND control, const std::string& text, WORD killFocusCode)
{
    SetText(control, text);
    SendNotification(control, killFocusCode);
}

void TypeChars(HWND edit, const std::string& text)
{
    PostMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : text)
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool PostKeys(HWND edit, std::initializer_list<WPARAM> keys)
{
    for (HWND target : {edit, GetParent(edit)}) {
        for (WPARAM key : keys) {
            PostMessageA(target, WM_KEYDOWN, key, 1);
            PostMessageA(target, WM_CHAR, key, 1);
            PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        }
    }
    // A selection posted behind the keys: once it shows, they were handled.
    PostMessageA(edit, EM_SETSEL, 1, 2);
    for (int wait = 0; wait < 400; ++wait, Sleep(25)) {
        if (SendQuietly(edit, EM_GETSEL, 0, 0) == MAKELRESULT(1, 2))
            return true;
    }
    return false;
}

void Check(HWND box)
{
    SendQuietly(box, BM_SETCHECK, BST_CHECKED, 0);
    SendNotification(box, BN_CLICKED);
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

std::vector<std::string> ComboTexts(HWND combo)
{
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // Across processes Wine answers the ANSI request with UTF-16 text.
        wchar_t wide[256] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= 255)
            continue;
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
        texts.push_back(Narrow(wide));
    }
    return texts;
}

int ComboSelection(HWND combo)
{
    return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

std::vector<std::wstring> TabWideTexts(HWND tab)
{
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        texts.push_back(SendItem(tab, TCM_GETITEMW, static_cast<WPARAM>(i), item));
    }
    return texts;
}

std::vector<std::string> ListViewHeadings(HWND list)
{
    std::vector<std::string> texts;
    const int count = Header_GetItemCount(ListView_GetHeader(list));
    for (int column = 0; column < count; ++column) {
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT;
        texts.push_back(Narrow(SendItem(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), item)));
    }
    return texts;
}

std::vector<std::string> ListViewTexts(HWND list, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
        LVITEMA item{};
        item.iSubItem = column;
        texts.push_back(SendItem(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), item));
    }
    return texts;
}

std::vector<int> ListViewImages(HWND list)
{
    std::vector<int> images;
    for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendItem(list, LVM_GETITEMA, 0, item);
        images.push_back(item.iImage);
    }
    return images;
}

void SelectListRow(HWND list, int row)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendItem(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), item);
}
