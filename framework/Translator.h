// How a dialog's texts come from a language file. The language subsystem
// implements it for each kind of dialog; the program hands it in.
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

class DialogTranslator {
public:
    virtual ~DialogTranslator() = default;

    // Puts the file's texts into the dialog's controls and the copies; false,
    // with nothing changed, when the file cannot be read.
    virtual bool Translate(HWND dialog, const std::string& file,
                           std::initializer_list<ControlTextCopy> copies) const = 0;
    // The message of a key in the file, or the English text when it has none.
    virtual std::string Message(const std::string& file, const char* key, const char* english) const = 0;
};
