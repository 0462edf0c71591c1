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
    CChannelPage(UINT templateId, const DialogTranslator& translator, TuningSession& session, LockKind kind)
        : CLockingPage(templateId, translator, session, kind), kind(kind)
    {
        keepsEscape = true;
        enterPressesButtons = false;
    }

protected:
    // The current channel's tuning record; null without a current channel or
    // while the channel has none.
    TransponderRecord* CurrentTuning() const;
    void MarkSettingsChanged() const;
    // Moves the members into the controls; the change notifications this
    // raises are echoes, not edits.
    void PutFieldsIntoControls();
    // A text change of one of the page's edits.
    void OnFieldEdited();
    void OnImportList() { ImportListIntoDatabase(*this, session); }
    // Full Scan over these frequencies (kHz): the channels found join the
    // list, and a summary ends it.
    void ScanBand(const std::vector<std::int32_t>& frequencies);

    // True while the page fills its own controls, and until it is initialised.
    bool fillingControls = true;

private:
    const LockKind kind;
};
