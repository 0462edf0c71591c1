// What the Cable and Terrestrial Setting pages share: the current channel's
// tuning record, edits that count as settings changes, Full Scan, and Enter
// and Escape, which must neither close the main dialog nor press a button:
// Enter only commits the field.
#pragma once

#include "tuning/win/ListImport.h"
#include "tuning/win/LockingPage.h"

#include <cstdint>
#include <vector>

struct TransponderRecord;

class CChannelPage : public CLockingPage {
public:
    CChannelPage(UINT templateId, const DialogTranslator& translator, TuningSession& session,
                 CChannelDatabase& database, LockKind kind)
        : CLockingPage(templateId, translator, session, database, kind), kind(kind)
    {
        keepsEscape = true;
        enterPressesButtons = false;
    }

protected:
    // The current channel's tuning record; null without a current channel or
    // while the channel has none.
    TransponderRecord* CurrentTuning() const;
    void MarkSettingsChanged() const;
    // A text change of one of the page's edits.
    void OnFieldEdited();
    void OnImportList() { ImportListIntoDatabase(*this, session); }
    // Full Scan over these frequencies (kHz): the channels found join the
    // list, and a summary ends it.
    void ScanBand(const std::vector<std::int32_t>& frequencies);

private:
    const LockKind kind;
};
