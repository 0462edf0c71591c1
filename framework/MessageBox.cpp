#include "framework/MessageBox.h"

#include "framework/UiText.h"

namespace {

std::string& Caption()
{
    static std::string caption;
    return caption;
}

int Show(HWND owner, const std::string& text, UINT type)
{
    return MessageBoxW(owner, WideText(text).c_str(), WideText(Caption()).c_str(), type);
}

}  // namespace

void SetMessageBoxCaption(const std::string& caption)
{
    Caption() = caption;
}

const std::string& MessageBoxCaption()
{
    return Caption();
}

void ShowErrorMessage(HWND owner, const std::string& text)
{
    Show(owner, text, MB_OK | MB_ICONEXCLAMATION);
}

bool AskYesNo(HWND owner, const std::string& text)
{
    return Show(owner, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
