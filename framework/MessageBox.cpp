#include "framework/MessageBox.h"

const char kProgramTitle[] = "NorvaneData V1.7.2.0";

void ShowErrorMessage(HWND owner, const std::string& text)
{
    MessageBoxA(owner, text.c_str(), kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

bool AskYesNo(HWND owner, const std::string& text)
{
    return MessageBoxA(owner, text.c_str(), kProgramTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
