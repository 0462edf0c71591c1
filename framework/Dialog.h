// Dialogs from templates: one dialog procedure for all of them stores `this`
// at WM_INITDIALOG, decodes messages into typed handlers and forgets the
// object when the window goes away. Modal and modeless dialogs differ only in
// how they are created and in what OK and Cancel do.
#pragma once

#include <windows.h>

#include <string>

class CDataExchange;

class CDialog {
public:
    explicit CDialog(UINT templateId) : templateId(templateId) {}
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog();

    // Modal: runs the dialog and returns the code given to EndDialog, or -1;
    // IDCANCEL when the program ends (framework/ModalLoop.h).
    INT_PTR DoModal(HWND owner);
    // Modeless (also child pages): returns false when the window was not created.
    bool Create(HWND parent);
    void Destroy();

    HWND GetSafeHwnd() const { return hwnd; }

    HWND Item(int id) const { return GetDlgItem(hwnd, id); }
    std::string GetItemText(int id) const;
    void SetItemText(int id, const std::string& text) const;
    void EnableItem(int id, bool enable) const { EnableWindow(Item(id), enable ? TRUE : FALSE); }
    void ShowItem(int id, bool show) const { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }
    void SetCaption(const std::string& text) const { SetWindowTextA(hwnd, text.c_str()); }
    void Show(int command) const { ShowWindow(hwnd, command); }

    // Moves data between members and controls: toControls true fills the
    // controls, false reads them back. Returns false when a value was refused.
    bool UpdateData(bool fromControls);

    // The dialog object behind a window created by this class, or null.
    static CDialog* FromHandle(HWND window);

    // A queued message for this dialog or one of its controls, before the
    // dialog manager of the top-level dialog sees it (the message loop asks
    // each dialog from the target window up). Return true to consume it.
    virtual bool PreTranslateMessage(const MSG& /*message*/) { return false; }

protected:
    // Return FALSE when the focus was set by the handler.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Return true when the command was handled.
    virtual bool OnCommand(WORD /*code*/, WORD /*id*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // WM_SHOWWINDOW, shown or hidden; the default handling follows.
    virtual void OnShowWindow(bool /*shown*/) {}
    virtual void OnDestroy() {}
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange& /*dx*/) {}
    // Every other message; return true and set result when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/)
    {
        return false;
    }
    // Sets the value returned to the system for notifications (DWLP_MSGRESULT).
    void SetMessageResult(LRESULT result) const { SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result); }
    void EndDialog(INT_PTR code) const { ::EndDialog(hwnd, code); }
    // For WM_PAINT: draws the icon centred while the dialog is minimised,
    // and returns false (the usual painting follows) when it is not.
    bool PaintIconWhenMinimised(HICON icon) const;

    HWND hwnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId;
    bool modal = false;
};
