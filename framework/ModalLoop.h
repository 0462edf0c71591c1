// Every modal loop of the program (its dialogs, message boxes, the Open and
// Save As dialogs, popup menus) runs inside a CModalLoop. A request to close
// that arrives while loops are open must not destroy the windows and objects
// that those loops will return into: it ends the loops (Cancel, EndMenu),
// waits, and is sent from the application's own message loop once the last
// one has unwound. The user-interface thread alone opens loops.
#pragma once

#include <windows.h>

class CModalLoop {
public:
    // How a loop of this kind is ended from outside.
    enum class Kind {
        Dialog,       // a dialog template's loop or a message box: EndDialog with IDCANCEL
        FileDialog,   // Open and Save As: their own Cancel, so that they clean up
        Menu,         // a popup menu: EndMenu
    };

    explicit CModalLoop(Kind kind);
    ~CModalLoop();
    CModalLoop(const CModalLoop&) = delete;
    CModalLoop& operator=(const CModalLoop&) = delete;

    // False while the program is ending: the caller opens nothing and
    // returns as Cancel (No for a question) does.
    bool MayRun() const { return mayRun; }

    static bool AnyOpen();
    // A close request waits for the loops to unwind. A handler whose dialog
    // returns meanwhile makes no further driver call and opens nothing.
    static bool ProgramEnding();
    // Ends every open loop and has the message sent to the target from the
    // application's message loop once no loop is open (at once when none
    // is). False, with nothing done, while another request waits.
    static bool EndAllThenSend(HWND target, UINT message, WPARAM wParam);
    // For the application's message loop, between messages.
    static void DeliverWaitingRequest();

private:
    bool mayRun;
};
