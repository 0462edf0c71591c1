#include "tuning/win/ChannelPage.h"

#include "database/ChannelDatabase.h"
#include "framework/MessageBox.h"
#include "language/win/SystemAnsiCase.h"
#include "tuning/ChannelScan.h"
#include "tuning/ScanTexts.h"
#include "tuning/win/PageScan.h"

TransponderRecord* CChannelPage::CurrentTuning() const
{
    return database.CurrentSatellite() != nullptr ? database.CurrentTransponder() : nullptr;
}

void CChannelPage::MarkSettingsChanged() const { session.MarkSettingsChanged(1); }

void CChannelPage::OnFieldEdited()
{
    if (FillingControls())
        return;
    UpdateData(true);
    MarkSettingsChanged();
}

void CChannelPage::ScanBand(const std::vector<std::int32_t>& frequencies)
{
    if (database.Root() == nullptr)
        return;
    const ChannelScanPlan plan = PlanChannelScan(database, kind, frequencies);
    PageScanOutcome outcome;
    if (!plan.job.targets.empty()) {
        outcome = RunPageScan(*this, session, plan.job, kChannelScanCaption);
        if (!outcome.ran)
            return;
    }
    // Kept also when the program ends meanwhile: its exit question may save them.
    const FoundChannelsAdded added = AddFoundChannels(database, session.GetDeviceKind(),
                                                      FoundChannels(plan.job, outcome.steps), SystemAnsiEqualNoCase);
    if (added.added > 0)
        session.ShowAddedSatellites();
    session.ApplyEffects(added.effects);
    if (outcome.endedFromOutside)
        return;
    const ChannelScanCounts counts{outcome.steps.size(), added.added, plan.alreadyInList + added.nameTaken,
                                   outcome.end != ScanEnd::Completed};
    const std::string summary =
        ChannelScanSummary(counts, [this](const char* key, const char* english) { return Text(key, english); });
    ShowMessageBox(MessageOwner(), summary, MessageBoxCaption(), MB_OK | MB_ICONINFORMATION);
}
