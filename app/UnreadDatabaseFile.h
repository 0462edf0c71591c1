// A database file that was found but could not be read whole (held by
// another program, access refused, damaged) holds more than the list shown:
// the user is told once it is loaded, and no save replaces it without the
// user's consent.
#pragma once

class CChannelDatabase;
class ReceiverView;

// After a load: when the file could not be read whole, says which file, that
// the list shown is incomplete, and that Restore reads it again once it is
// free (exclamation icon). Shows nothing otherwise.
void ReportUnreadDatabaseFile(const CChannelDatabase& database, ReceiverView& view);

// Before a save: true when it may go on. Over a file not read whole, the
// first save asks; Yes lets the database replace it (keeping the file as its
// backup first), No keeps the file and answers false.
bool MayReplaceUnreadDatabaseFile(CChannelDatabase& database, ReceiverView& view);
