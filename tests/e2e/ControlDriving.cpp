#include "tests/e2e/ControlDriving.h"

#include <commctrl.h>

namespace {

constexpr UINT kSendTimeoutMs = 15000;

LRESULT SendQuietly(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
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
    if (GetDlgCtrlID(window) == search->id && (!search->visibleOnly || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
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

void ChooseRadio(HWND dialog, int chosenId, const std::vector<int>& groupIds)
{
    for (int id : groupIds)
        SendQuietly(GetDlgItem(dialog, id), BM_SETCHECK, id == chosenId ? BST_CHECKED : BST_UNCHECKED, 0);
    SendNotification(GetDlgItem(dialog, chosenId), BN_CLICKED);
}

bool IsChecked(HWND button)
{
    return SendQuietly(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ChooseComboItem(HWND combo, int index)
{
    SendQuietly(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
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

namespace {
// A control's item structure with room for a text, allocated in the
// control's process, where the control reads and writes it.
template <typename Item>
class RemoteItem {
public:
    static constexpr SIZE_T kTextSize = 512;

    explicit RemoteItem(HWND control)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(control, &processId);
        target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (target != nullptr)
            remote = static_cast<char*>(
                VirtualAllocEx(target, nullptr, sizeof(Item) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteItem()
    {
        if (remote != nullptr)
            VirtualFreeEx(target, remote, 0, MEM_RELEASE);
        if (target != nullptr)
            CloseHandle(target);
    }
    RemoteItem(const RemoteItem&) = delete;
    RemoteItem& operator=(const RemoteItem&) = delete;

    bool Usable() const { return remote != nullptr; }
    char* RemoteText() const { return remote + sizeof(Item); }
    LPARAM Put(const Item& item) const
    {
        WriteProcessMemory(target, remote, &item, sizeof(item), nullptr);
        return reinterpret_cast<LPARAM>(remote);
    }
    Item Read() const
    {
        Item item{};
        ReadProcessMemory(target, remote, &item, sizeof(item), nullptr);
        return item;
    }
    std::string Text() const
    {
        char text[kTextSize] = {};
        ReadProcessMemory(target, RemoteText(), text, kTextSize - 1, nullptr);
        return text;
    }
    std::wstring WideText() const
    {
        wchar_t text[kTextSize / 2] = {};
        ReadProcessMemory(target, RemoteText(), text, kTextSize - 2, nullptr);
        return text;
    }

private:
    HANDLE target = nullptr;
    char* remote = nullptr;
};

using RemoteListItem = RemoteItem<LVITEMA>;

int ListRowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}
}  // namespace

std::vector<std::wstring> TabWideTexts(HWND tab)
{
    std::vector<std::wstring> texts;
    RemoteItem<TCITEMW> remote(tab);
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count && remote.Usable(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.RemoteText());
        item.cchTextMax = static_cast<int>(RemoteItem<TCITEMW>::kTextSize / 2);
        SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), remote.Put(item));
        texts.push_back(remote.WideText());
    }
    return texts;
}

std::vector<std::string> TabTexts(HWND tab)
{
    std::vector<std::string> texts;
    for (const std::wstring& wide : TabWideTexts(tab))
        texts.push_back(Narrow(wide));
    return texts;
}

std::vector<std::string> ListViewTexts(HWND list, int column)
{
    std::vector<std::string> texts;
    RemoteListItem remote(list);
    const int count = ListRowCount(list);
    for (int row = 0; row < count && remote.Usable(); ++row) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = remote.RemoteText();
        item.cchTextMax = static_cast<int>(RemoteListItem::kTextSize);
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), remote.Put(item));
        texts.push_back(remote.Text());
    }
    return texts;
}

std::vector<int> ListViewImages(HWND list)
{
    std::vector<int> images;
    RemoteListItem remote(list);
    const int count = ListRowCount(list);
    for (int row = 0; row < count && remote.Usable(); ++row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, remote.Put(item));
        images.push_back(remote.Read().iImage);
    }
    return images;
}

void SelectListRow(HWND list, int row)
{
    RemoteListItem remote(list);
    if (!remote.Usable())
        return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), remote.Put(item));
}
