// Message boxes with the program's caption: errors with the exclamation icon
// and OK, questions with the question icon and Yes/No. The text is taken as a
// lookup gives it (framework/UiText.h) and shown with the wide call.
#pragma once

#include <windows.h>

#include <string>

// The caption of every message box; the program sets its title once at start-up.
void SetMessageBoxCaption(const std::string& caption);
const std::string& MessageBoxCaption();

void ShowErrorMessage(HWND owner, const std::string& text);
// True only when the user answered Yes.
bool AskYesNo(HWND owner, const std::string& text);
