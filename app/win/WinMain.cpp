#include "app/win/ReceiverApp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CReceiverApp app;
    if (!app.InitInstance())
        return 0;
    return app.Run();
}
