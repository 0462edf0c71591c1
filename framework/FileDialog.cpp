#include "framework/FileDialog.h"

#include "framework/LateLibrary.h"
#include "framework/ModalLoop.h"

namespace {
using FileDialogFunction = BOOL WINAPI(LPOPENFILENAMEA);

bool RunFileDialog(const char* name, OPENFILENAMEA& dialog)
{
    CModalLoop loop(CModalLoop::Kind::FileDialog);
    if (!loop.MayRun())
        return false;
    // Only an import, a scan's list or a CSV needs the library.
    FileDialogFunction* run = LateFunction<FileDialogFunction>("comdlg32.dll", name);
    return run != nullptr && run(&dialog) != FALSE;
}
}   // namespace

bool RunOpenFileDialog(OPENFILENAMEA& dialog) { return RunFileDialog("GetOpenFileNameA", dialog); }

bool RunSaveFileDialog(OPENFILENAMEA& dialog) { return RunFileDialog("GetSaveFileNameA", dialog); }
