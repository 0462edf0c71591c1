#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/DialogInit.h"
#include "framework/ErrorReport.h"
#include "framework/MessageLoop.h"
#include "framework/ModalLoop.h"

#include <exception>
#include <vector>

namespace {
const char kObjectProperty[] = "Lumisat.Dialog";
}

CDialog::~CDialog() { Destroy(); }

INT_PTR CDialog::DoModal(HWND owner)
{
    CModalLoop loop(CModalLoop::Kind::Dialog);
    if (!loop.MayRun())
        return IDCANCEL;
    modal = true;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent)
{
    modal = false;
    HWND created = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
    if (created == nullptr)
        return false;
    if (!(GetWindowLongA(created, GWL_STYLE) & WS_CHILD))
        CMessageLoop::AddModeless(created);
    return true;
}

void CDialog::Destroy()
{
    if (hwnd != nullptr && IsWindow(hwnd))
        DestroyWindow(hwnd);
}

std::string CDialog::GetItemText(int id) const
{
    HWND control = Item(id);
    int length = GetWindowTextLengthA(control);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(control, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void CDialog::SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd, id, text.c_str()); }

bool CDialog::UpdateData(bool fromControls)
{
    CDataExchange dx(*this, fromControls);
    DoDataExchange(dx);
    return !dx.Failed();
}

CDialog* CDialog::FromHandle(HWND window) { return static_cast<CDialog*>(GetPropA(window, kObjectProperty)); }

void CDialog::OnOK()
{
    if (modal && UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    if (modal)
        EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->hwnd = window;
        SetPropA(window, kObjectProperty, self);
    } else {
        self = FromHandle(window);
    }
    if (self == nullptr)
        return FALSE;

    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportUnhandledError(window, error.what());
    } catch (...) {
        ReportUnhandledError(window, "unknown error");
    }
    if (message == WM_NCDESTROY) {
        // The window is gone: the object must not be reached through it again.
        RemovePropA(window, kObjectProperty);
        CMessageLoop::RemoveModeless(window);
        self->hwnd = nullptr;
    }
    return result;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    if (OnMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        ApplyDialogInit(hwnd, GetModuleHandleA(nullptr), templateId);
        UpdateData(false);
        return OnInitDialog();
    case WM_COMMAND: {
        WORD code = HIWORD(wParam);
        WORD id = LOWORD(wParam);
        if (OnCommand(code, id, reinterpret_cast<HWND>(lParam)))
            return TRUE;
        if (code == BN_CLICKED && id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (code == BN_CLICKED && id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT notifyResult = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), notifyResult)) {
            SetMessageResult(notifyResult);
            return TRUE;
        }
        return FALSE;
    }
    case WM_TIMER: OnTimer(wParam); return TRUE;
    case WM_SHOWWINDOW: OnShowWindow(wParam != FALSE); return FALSE;
    case WM_DESTROY: OnDestroy(); return TRUE;
    default: return FALSE;
    }
}

bool CDialog::PaintIconWhenMinimised(HICON icon) const
{
    if (!IsIconic(hwnd))
        return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(hwnd, &client);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon);
    EndPaint(hwnd, &paint);
    return true;
}
