#include "tests/e2e/ControlDriving.h"

#include <commctrl.h>

#include <type_traits>

namespace {

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

// The items of a list view, each as the message fills it.
template <typename Result, typename Fill>
std::vector<Result> EachRow(HWND list, Fill fill)
{
    std::vector<Result> results;
    for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row)
        results.push_back(fill(row));
    return results;
}

}   // namespace

std::string WindowText(HWND window)
{
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), LPARAM(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

std::wstring WideWindowText(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, LPARAM(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

HWND FindControl(HWND root, int id, bool visibleOnly)
{
    ControlSearch search{id, visibleOnly, nullptr};
    EnumChildWindows(root, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

void ChooseRadio(HWND dialog, int chosenId, const std::vector<int>& groupIds)
{
    for (int id : groupIds)
        SendQuietly(GetDlgItem(dialog, id), BM_SETCHECK, id == chosenId ? BST_CHECKED : BST_UNCHECKED, 0);
    SendNotification(GetDlgItem(dialog, chosenId), BN_CLICKED);
}

std::vector<std::string> ComboTexts(HWND combo)
{
    std::vector<std::string> texts;
    for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
        // Across processes Wine answers the ANSI request with UTF-16 text.
        wchar_t wide[256] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0) < 255) {
            SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(wide));
            texts.push_back(Narrow(wide));
        }
    }
    return texts;
}

std::vector<std::wstring> TabWideTexts(HWND tab)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        texts.push_back(SendItem(tab, TCM_GETITEMW, WPARAM(i), item));
    }
    return texts;
}

std::vector<std::string> ListViewHeadings(HWND list)
{
    std::vector<std::string> texts;
    for (int column = 0; column < Header_GetItemCount(ListView_GetHeader(list)); ++column) {
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT;
        texts.push_back(Narrow(SendItem(list, LVM_GETCOLUMNW, WPARAM(column), item)));
    }
    return texts;
}

std::vector<std::string> ListViewTexts(HWND list, int column)
{
    return EachRow<std::string>(list, [&](int row) {
        LVITEMA item{};
        item.iSubItem = column;
        return SendItem(list, LVM_GETITEMTEXTA, WPARAM(row), item);
    });
}

std::vector<int> ListViewImages(HWND list)
{
    return EachRow<int>(list, [&](int row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendItem(list, LVM_GETITEMA, 0, item);
        return item.iImage;
    });
}

void SelectListRow(HWND list, int row)
{
    LVITEMA item{};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendItem(list, LVM_SETITEMSTATE, WPARAM(row), item);
}
