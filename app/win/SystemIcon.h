// The program's icon in the notification area.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

class CSystemIcon {
public:
    CSystemIcon();
    CSystemIcon(const CSystemIcon&) = delete;
    CSystemIcon& operator=(const CSystemIcon&) = delete;
    ~CSystemIcon();

    // Fails when the shell is too old or the owner is not a window, or when
    // the shell did not take the icon (AddAgain may still add it later).
    bool Create(HWND owner, UINT callbackMessage, const std::string& tooltip, HICON icon, UINT id);
    // Adds the icon again with its current picture and tip: the shell
    // restarted (Explorer) or was not there yet when the program started.
    bool AddAgain();
    // After a resume: adds the icon again if the shell lost it.
    bool EnsureShown();
    bool SetIcon(HICON icon);
    bool SetIcon(UINT resourceId);
    // The icon and the tooltip are kept while the icon is not shown, for when
    // it is added again.
    // The tooltip, cut to what the record holds (127 characters).
    bool SetTip(const std::string& tip);
    // A balloon over the icon with the information icon, cut to what the
    // record holds.
    bool ShowBalloon(const std::string& title, const std::string& text);
    void Remove();
    bool IsActive() const { return active != 0; }

private:
    bool Add();

    int active = 0;
    bool prepared = false;   // the record is filled: the icon can be added
    // The shell has confirmed that it shows data.hIcon, and data.szTip.
    bool iconShown = false;
    bool tipShown = false;
    // The shell's record with the long tooltip (the form of Windows 2000 on),
    // in UTF-16 so that a tip reads the same whatever the ANSI code page.
    NOTIFYICONDATAW data;
};
