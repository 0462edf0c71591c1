#include "framework/MessageBox.h"

#include "framework/UiText.h"

#include "ProductVersion.h"

const char kProgramTitle[] = PRODUCT_TITLE;

namespace {

int Show(HWND owner, const std::string& text, UINT type)
{
    return MessageBoxW(owner, WideText(text).c_str(), WideText(kProgramTitle).c_str(), type);
}

}  // namespace

void ShowErrorMessage(HWND owner, const std::string& text)
{
    Show(owner, text, MB_OK | MB_ICONEXCLAMATION);
}

bool AskYesNo(HWND owner, const std::string& text)
{
    return Show(owner, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
