// The application object: refuses a second instance and creates the hidden
// frame, the application's main window.
#pragma once

#include <windows.h>

#include <memory>

class CMainFrame;

class CReceiverApp {
public:
    CReceiverApp();
    ~CReceiverApp();
    // False ends the program at once.
    bool InitInstance();
    int Run();

private:
    HANDLE instanceMutex = nullptr;   // kept for the life of the process
    std::unique_ptr<CMainFrame> mainWindow;
};
