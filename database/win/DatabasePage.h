// A tab page that shows and edits the channel database: it is handed the
// database before its window is made, so every handler can reach it.
#pragma once

#include "framework/TabPage.h"

class CChannelDatabase;

class CDatabasePage : public CTabPage {
public:
    CDatabasePage(UINT templateId, const DialogTranslator& translator, CChannelDatabase& database)
        : CTabPage(templateId, translator), database(database)
    {
    }

    CChannelDatabase& Database() const { return database; }

protected:
    CChannelDatabase& database;
};
