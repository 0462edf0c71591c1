#include "tuning/win/ChannelPage.h"

#include "database/ChannelDatabase.h"
#include "tuning/win/QuietFill.h"

TransponderRecord* CChannelPage::CurrentTuning() const
{
    if (database == nullptr || database->CurrentSatellite() == nullptr)
        return nullptr;
    return database->CurrentTransponder();
}

void CChannelPage::MarkSettingsChanged() const
{
    session.MarkSettingsChanged(1);
}

void CChannelPage::PutFieldsIntoControls()
{
    CQuietFill quiet(fillingControls);
    UpdateData(false);
}

void CChannelPage::OnFieldEdited()
{
    if (fillingControls)
        return;
    UpdateData(true);
    MarkSettingsChanged();
}
