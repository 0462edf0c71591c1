#include "framework/ErrorReport.h"

#include "framework/MessageBox.h"

#include <string>

void ReportUnhandledError(HWND owner, const char* what)
{
    std::string text = std::string("Internal error: ") + (what != nullptr ? what : "");
    OutputDebugStringA((text + "\n").c_str());
    ShowErrorMessage(owner, text);
}
