// The result of a satellite check (172): a row per transponder tried with
// whether it locked, the card's strength and quality after the lock and the
// time the lock took. A click on a column heading sorts by it (again: the
// other way round); Copy puts the table on the clipboard as tabbed text;
// after a question the transponders that did not lock are removed from the
// satellite, an edit like any other until Apply.
#pragma once

#include "framework/Controls.h"
#include "framework/TranslatedDialog.h"
#include "tuning/SatelliteCheck.h"
#include "tuning/TuningSession.h"

#include <vector>

class CChannelDatabase;

class CCheckResultsDlg : public CTranslatedDialog {
public:
    // transponders: how many the check was to try; cancelled: it ended before.
    CCheckResultsDlg(const DialogTranslator& translator, std::vector<CheckRow> rows, std::size_t transponders,
                     bool cancelled, CChannelDatabase& database, TuningSession& session);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    MessageLookup Lookup() const;
    void ShowRows();
    void FitColumns() const;
    void OnCopy();
    void OnRemoveUnlocked();
    void OnClose() { EndDialog(IDCANCEL); }

    std::vector<CheckRow> rows;
    std::size_t transponders;
    bool cancelled;
    CChannelDatabase& database;
    TuningSession& session;
    CListView list;
    int sortColumn = -1;
    bool ascending = true;
};
