// Message boxes with the program's caption: errors with the exclamation icon
// and OK, questions with the question icon and Yes/No. The text is taken as a
// lookup gives it (framework/UiText.h) and shown with the wide call. Every
// box runs as a modal loop of the program (framework/ModalLoop.h): while the
// program ends none opens, and a question counts as answered No.
#pragma once

#include <windows.h>

#include <string>

// The caption of every message box; the program sets its title once at start-up.
void SetMessageBoxCaption(const std::string& caption);
const std::string& MessageBoxCaption();

// Any box: returns the button that closed it, IDCANCEL when it was ended or not opened.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
// OK only, no icon, the program's caption.
void ShowNotice(HWND owner, const std::string& text);
void ShowErrorMessage(HWND owner, const std::string& text);
// True only when the user answered Yes.
bool AskYesNo(HWND owner, const std::string& text);
