#include "framework/FileDialog.h"

#include "framework/ModalLoop.h"

bool RunOpenFileDialog(OPENFILENAMEA& dialog)
{
    CModalLoop loop(CModalLoop::Kind::FileDialog);
    return loop.MayRun() && GetOpenFileNameA(&dialog) != FALSE;
}

bool RunSaveFileDialog(OPENFILENAMEA& dialog)
{
    CModalLoop loop(CModalLoop::Kind::FileDialog);
    return loop.MayRun() && GetSaveFileNameA(&dialog) != FALSE;
}
