// Thin wrappers over common controls. They hold a window handle they do not
// own; each operation is one message.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class CControl {
public:
    CControl() = default;
    explicit CControl(HWND window) : window(window) {}
    void Attach(HWND handle) { window = handle; }
    void Attach(HWND dialog, int id) { window = GetDlgItem(dialog, id); }
    HWND Handle() const { return window; }
    bool Exists() const { return window != nullptr && IsWindow(window); }
    void Enable(bool enable) const { EnableWindow(window, enable ? TRUE : FALSE); }
    void Show(bool show) const { ShowWindow(window, show ? SW_SHOW : SW_HIDE); }
    std::string GetText() const;

protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageA(window, message, wParam, lParam);
    }
    HWND window = nullptr;
};

class CComboBox : public CControl {
public:
    using CControl::CControl;
    void ResetContent() const { Send(CB_RESETCONTENT); }
    // Returns the index of the new item, or CB_ERR.
    int AddString(const std::string& text) const
    {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    // CB_ERR (-1) when nothing is selected.
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // Exact, case-insensitive match of a whole item; CB_ERR when absent.
    int FindStringExact(const std::string& text) const
    {
        return static_cast<int>(
            Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }
    std::string GetItemText(int index) const;
    void SetItemData(int index, const void* data) const
    {
        Send(CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data));
    }
    void* GetItemData(int index) const;
    void DeleteString(int index) const { Send(CB_DELETESTRING, static_cast<WPARAM>(index)); }
    void LimitText(int length) const { Send(CB_LIMITTEXT, static_cast<WPARAM>(length)); }
    // Puts a text for the screen (framework/UiText.h) in place of an item,
    // keeping its data and the selection.
    void ReplaceItemText(int index, const std::string& text) const;
};

class CListView : public CControl {
public:
    using CControl::CControl;
    void InsertColumn(int index, const std::string& heading, int width, int format = LVCFMT_LEFT) const;
    // A text for the screen (framework/UiText.h) as the column's heading.
    void SetColumnText(int index, const std::string& heading) const;
    void SetImageList(HIMAGELIST images, int kind = LVSIL_SMALL) const
    {
        Send(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images));
    }
    void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    void DeleteAllItems() const { Send(LVM_DELETEALLITEMS); }
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    // Returns the index of the new row, or -1.
    int InsertItem(int index, const std::string& text, int image, const void* data) const;
    void SetItemText(int index, int column, const std::string& text) const;
    std::string GetItemText(int index, int column) const;
    void SetItemImage(int index, int image) const;
    void* GetItemData(int index) const;
    // The first selected row, or -1.
    int GetSelectedIndex() const
    {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    void Select(int index) const;
};

class CTabCtrl : public CControl {
public:
    using CControl::CControl;
    int InsertItem(int index, const std::string& text) const;
    void SetItemText(int index, const std::string& text) const;
    int GetItemCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    void SetCurSel(int index) const { Send(TCM_SETCURSEL, static_cast<WPARAM>(index)); }
};

class CIpAddressCtrl : public CControl {
public:
    using CControl::CControl;
    void ClearAddress() const { Send(IPM_CLEARADDRESS); }
};

class CStaticCtrl : public CControl {
public:
    using CControl::CControl;
    // Return the previously set image (not destroyed here).
    HICON SetIcon(HICON icon) const
    {
        return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(Send(STM_GETICON)); }
    // For states shown again and again (every signal poll): setting the same
    // icon would only repaint the control.
    void ShowIcon(HICON icon) const
    {
        if (GetIcon() != icon)
            SetIcon(icon);
    }
    HBITMAP SetBitmap(HBITMAP bitmap) const
    {
        return reinterpret_cast<HBITMAP>(Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    // Shows a .bmp file and returns its bitmap, which the caller deletes once
    // the control is gone; null, with the image left as it was, when the
    // file could not be read.
    HBITMAP ShowBitmapFile(const std::string& file) const
    {
        HANDLE image = LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (image != nullptr)
            SetBitmap(static_cast<HBITMAP>(image));
        return static_cast<HBITMAP>(image);
    }
};

class CEditCtrl : public CControl {
public:
    using CControl::CControl;
    void LimitText(int length) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(length)); }
    void SetSel(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
};
