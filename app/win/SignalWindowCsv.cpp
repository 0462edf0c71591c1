// The signal window's "Save CSV...": proposes the user's Documents folder
// (the program's own folder is not writable on an installed system) and says
// where the file went.
#include "app/win/SignalWindow.h"

#include "common/FileIo.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/UiText.h"
#include "resources/resource.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstdio>
#include <span>

namespace {

constexpr char kFileName[] = "Signal.csv";

// "<Documents>\Signal.csv", or the bare name when the folder is unknown or
// the path would not fit.
void ProposePath(char (&path)[MAX_PATH])
{
    char documents[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents))) {
        const int written = std::snprintf(path, sizeof path, "%s\\%s", documents, kFileName);
        if (written > 0 && static_cast<std::size_t>(written) < sizeof path)
            return;
    }
    std::snprintf(path, sizeof path, "%s", kFileName);
}

}   // namespace

void CSignalWindow::OnSaveCsv()
{
    char path[MAX_PATH] = {};
    ProposePath(path);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd;
    dialog.lpstrFilter = "CSV (*.csv)\0*.csv\0\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!RunSaveFileDialog(dialog))
        return;
    const std::string csv = SignalHistoryCsv(history);
    const bool written = WriteFileReplacing(path, [&csv](ByteSink& file) {
        return file.Write(std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
    });
    if (!written) {
        SetUiText(Item(IDC_SIGNAL_SAVED), "");
        ShowErrorMessage(hwnd, host.Text("String68", "The CSV file could not be written."));
        return;
    }
    // Converted apart: the text is UTF-8, the path is in the ANSI code page.
    SetWindowTextW(Item(IDC_SIGNAL_SAVED),
                   (WideText(host.Text("String129", "The CSV file was saved:")) + L" " + WideText(path)).c_str());
}
