// The system's Open and Save As dialogs, run as modal loops of the program
// (framework/ModalLoop.h). False when the user cancelled, when the program
// ended the dialog, or when it is ending and the dialog did not open.
#pragma once

#include <windows.h>

#include <commdlg.h>

bool RunOpenFileDialog(OPENFILENAMEA& dialog);
bool RunSaveFileDialog(OPENFILENAMEA& dialog);
