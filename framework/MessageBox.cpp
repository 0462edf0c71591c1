#include "framework/MessageBox.h"

#include "framework/ModalLoop.h"
#include "framework/UiText.h"

namespace {

std::string& Caption()
{
    static std::string caption;
    return caption;
}

}   // namespace

void SetMessageBoxCaption(const std::string& caption) { Caption() = caption; }

const std::string& MessageBoxCaption() { return Caption(); }

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    CModalLoop loop(CModalLoop::Kind::Dialog);
    if (!loop.MayRun())
        return IDCANCEL;
    return MessageBoxW(owner, WideText(text).c_str(), WideText(caption).c_str(), type);
}

void ShowNotice(HWND owner, const std::string& text) { ShowMessageBox(owner, text, Caption(), MB_OK); }

void ShowErrorMessage(HWND owner, const std::string& text)
{
    ShowMessageBox(owner, text, Caption(), MB_OK | MB_ICONEXCLAMATION);
}

bool AskYesNo(HWND owner, const std::string& text)
{
    return ShowMessageBox(owner, text, Caption(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
