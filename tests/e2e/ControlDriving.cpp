#include "tests/e2e/ControlDriving.h"

#include <commctrl.h>

void ChooseComboItem(HWND combo, int index)
{
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

std::vector<std::string> ComboTexts(HWND combo)
{
    std::vector<std::string> texts;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // Across processes Wine answers the ANSI request with UTF-16 text.
        wchar_t wide[256] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= 255)
            continue;
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
        char text[512] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
        texts.emplace_back(text);
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
    for (const std::wstring& wide : TabWideTexts(tab)) {
        char text[512] = {};
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof(text) - 1, nullptr, nullptr);
        texts.emplace_back(text);
    }
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
