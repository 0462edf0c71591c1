#include "app/UnreadDatabaseFile.h"

#include "app/ReceiverSession.h"
#include "common/FileIo.h"

namespace {
constexpr MessageRef kNotReadWhole{"String74", "The channel database could not be read whole when it was loaded:"};
constexpr MessageRef kListIncomplete{
    "String75", "The list shown is incomplete: another program is using the file, or the file is damaged. The file is "
                "not replaced without asking you. Once the file is free, Restore reads it again."};
constexpr MessageRef kReplaceQuestion{"String76", "Replace it with the list shown? The file as it is now is kept as:"};
constexpr MessageRef kNoKeepsTheFile{"String77", "No keeps the file as it is, and the changes stay unsaved."};
}  // namespace

void ReportUnreadDatabaseFile(const CChannelDatabase& database, ReceiverView& view)
{
    const std::string& file = database.UnreadFile();
    if (!file.empty())
        view.ShowError(view.Text(kNotReadWhole) + "\n" + file + "\n\n" + view.Text(kListIncomplete));
}

bool MayReplaceUnreadDatabaseFile(CChannelDatabase& database, ReceiverView& view)
{
    const std::string& file = database.UnreadFile();
    if (file.empty())
        return true;
    if (!view.AskYesNoText(view.Text(kNotReadWhole) + "\n" + file + "\n\n" + view.Text(kReplaceQuestion) + "\n" +
                           BackupFilePath(file) + "\n\n" + view.Text(kNoKeepsTheFile)))
        return false;
    database.AllowReplacingUnreadFile();
    return true;
}
