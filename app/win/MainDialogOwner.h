// What the main dialog asks of the hidden frame that owns it: the
// notification-area icon, the requests to close, and how it was started. The
// frame implements it, so that the dialog never calls back into the frame's
// own class.
#pragma once

#include <windows.h>

#include <string>

// What asks the program to close. Each ends the open modal loops first and
// runs from the application's message loop.
enum class CloseRequest : WPARAM {
    Exit = 1,          // the notification-area menu: asks first when changes are unsaved
    ExitRequest,       // another program's exit request: as Exit
    ReceiverRemoved,   // the receiver was unplugged: as Exit, the card is not needed to save
    Close,             // WM_CLOSE from elsewhere
    SessionEnded,      // the Windows session ends: no time to ask, nothing saved
};

class MainDialogOwner {
public:
    virtual ~MainDialogOwner() = default;

    // The icon (135 locked, 140 not) and its tooltip: the title, followed by
    // the note when there is one.
    virtual void ShowTrayLock(bool locked, const std::string& note) = 0;
    virtual void ShowTrayBalloon(const std::string& text) = 0;
    // While the exit question is open a further request is dropped: its answer decides.
    virtual void RequestClose(CloseRequest request) = 0;
    // Apply's state: while changes are pending the end of the Windows
    // session is held up with a reason that the system shows.
    virtual void ShowPendingChanges(bool pending) = 0;
    // Started with Windows ("/tray"): the dialog stays hidden, and the card may not be ready yet.
    virtual bool StartedHidden() const = 0;
};
