#include "tuning/win/PageLock.h"

#include "app/win/MainDlg.h"
#include "app/win/TabPage.h"
#include "driver/win/QuarlinkDriver.h"
#include "database/ChannelDatabase.h"
#include "language/LanguageFile.h"
#include "reception/win/PidPage.h"
#include "tuning/SwitchCommands.h"

CPageLock::CPageLock(CTabPage& page, LockKind kind, const char* waitFallback)
    : page(page), waitFallback(waitFallback),
      sequence(kind, TheReceiverDriver(), kind == LockKind::Satellite ? this : nullptr)
{
}

CPageLock::~CPageLock() = default;

int CPageLock::Lock(int silent)
{
    mainDialog = page.MainDialog();
    if (mainDialog == nullptr)
        return 0;
    CChannelDatabase* database = page.Database();
    const SatelliteRecord* satellite = database != nullptr ? database->CurrentSatellite() : nullptr;
    const TransponderRecord* transponder = database != nullptr ? database->CurrentTransponder() : nullptr;
    sequence.Run(*this, satellite, transponder, silent != 0);
    return mainDialog->IsLocked();
}

bool CPageLock::IsFilterStarted() { return mainDialog->IsFilterStarted() != 0; }
void CPageLock::SetFilterStarted(int started) { mainDialog->SetFilterStarted(started); }
void CPageLock::SetTuningChanged(int changed) { mainDialog->SetTuningChanged(changed); }
void CPageLock::StopSignalTimer() { mainDialog->StopSignalTimer(); }
void CPageLock::StartSignalTimer() { mainDialog->StartSignalTimer(); }
void CPageLock::ShowLockState(int result) { mainDialog->ShowLockState(result); }
void CPageLock::Trace(const char* line) { mainDialog->Trace(line); }

void CPageLock::ShowWaitDialog()
{
    waitDialog = std::make_unique<CLockWaitDlg>();
    if (!waitDialog->Open(page.GetSafeHwnd(), Message(page.LanguageFile(), "String24", waitFallback)))
        waitDialog.reset();
}

void CPageLock::DestroyWaitDialog()
{
    waitDialog.reset();
}

void CPageLock::ReloadPids()
{
    if (auto* pidPage = dynamic_cast<CPidPage*>(mainDialog->PidPage()))
        pidPage->ReloadPids();
}

int CPageLock::SendTonePower()
{
    CChannelDatabase* database = page.Database();
    if (database == nullptr)
        return 0;
    return ::SendTonePower(mainDialog->Driver(), database->CurrentSatellite(), database->CurrentTransponder(),
                           [this](const std::string& line) { mainDialog->Trace(line); });
}

int CPageLock::SendDiseqcSwitch()
{
    CChannelDatabase* database = page.Database();
    if (database == nullptr)
        return 0;
    return ::SendDiseqcSwitch(mainDialog->Driver(), database->CurrentSatellite(), database->CurrentTransponder(),
                              [this](const std::string& line) { mainDialog->Trace(line); });
}
