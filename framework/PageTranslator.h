// How a page puts a language file's texts into its controls. The language
// subsystem implements it; the program hands it to every page.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

// A window that shows a numbered control's text a second time (the Dish
// Setting page's hold buttons stand in place of its Drive buttons).
struct ControlTextCopy {
    int controlId;
    HWND window;
};

class PageTranslator {
public:
    virtual ~PageTranslator() = default;

    // False, with nothing changed, when the file cannot be read.
    virtual bool TranslatePage(HWND page, const std::string& file,
                               std::initializer_list<ControlTextCopy> copies) const = 0;
};
