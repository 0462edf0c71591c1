#include "tuning/win/ListImport.h"

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "database/win/DatabasePage.h"
#include "language/LanguageFile.h"
#include "language/win/SystemAnsiCase.h"
#include "tuning/ImportSummary.h"
#include "tuning/TuningListImport.h"
#include "tuning/TuningSession.h"

namespace {

// Empty when the user cancelled.
std::string AskForListFile(HWND owner)
{
    // The patterns describe themselves, so the filter needs no translation.
    static const char kFilter[] = "*.ini; *.conf; *.txt\0*.ini;*.conf;*.txt\0*.*\0*.*\0";
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return RunOpenFileDialog(dialog) ? std::string(path) : std::string();
}

}   // namespace

void ImportListIntoDatabase(const CDatabasePage& page, TuningSession& session)
{
    HWND owner = GetAncestor(page.GetSafeHwnd(), GA_ROOT);
    const std::string path = AskForListFile(owner);
    if (path.empty())
        return;
    const ImportReport report =
        ImportTuningListFile(page.Database(), session.GetDeviceKind(), path, SystemAnsiEqualNoCase);
    if (report.satelliteListChanged)
        session.ShowAddedSatellites();
    session.ApplyEffects(report.effects);
    const std::string& languageFile = page.LanguageFile();
    ShowErrorMessage(owner, ImportSummaryText(report, [&languageFile](const char* key, const char* english) {
                         return Message(languageFile, key, english);
                     }));
}
