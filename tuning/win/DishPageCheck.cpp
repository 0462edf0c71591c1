// The Dish Setting page's Scan....: the check of every transponder of the
// current satellite, then its result.
#include "tuning/win/DishPage.h"

#include "database/ChannelDatabase.h"
#include "language/win/TranslatedModal.h"
#include "tuning/SatelliteCheck.h"
#include "tuning/ScanTexts.h"
#include "tuning/win/CheckResultsDlg.h"
#include "tuning/win/PageScan.h"
#include "tuning/win/ScanDialogLanguage.h"

void CDishPage::OnCheckTransponders()
{
    const SatelliteRecord* satellite = CurrentSatellite();
    if (satellite == nullptr || satellite->firstTransponder == nullptr)
        return;
    const ScanJob job = SatelliteCheckJob(*satellite);
    const PageScanOutcome outcome = RunPageScan(*this, session, job, kCheckCaption);
    // Nothing tried (the card stayed busy, or Cancel came first): nothing to show.
    if (!outcome.ran || outcome.endedFromOutside || outcome.steps.empty())
        return;
    TranslatedModal<CCheckResultsDlg> results(ScanDialogLanguageKeys(), languageFile, CheckRows(job, outcome.steps),
                                              job.targets.size(), outcome.end != ScanEnd::Completed, database, session);
    results.Run(MessageOwner());
}
