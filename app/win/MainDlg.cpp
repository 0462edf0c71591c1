#include "app/win/MainDlg.h"

#include "app/DeviceNotice.h"
#include "app/InstallPaths.h"
#include "app/win/DiagnosticLog.h"
#include "app/win/HtmlHelp.h"
#include "app/win/MainFrame.h"
#include "common/CardKind.h"
#include "driver/win/QuarlinkDriver.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "language/LanguageFile.h"
#include "language/LanguageList.h"
#include "resources/resource.h"
#include "tuning/LockWorker.h"
#include "tuning/win/DishPage.h"

#include <dbt.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
GUID ReceiverInterfaceClass()
{
    static_assert(sizeof(GUID) == kReceiverInterfaceClassBytes.size());
    GUID id;
    std::memcpy(&id, kReceiverInterfaceClassBytes.data(), sizeof(id));
    return id;
}

// The notice's record as far as its header says it is there.
DeviceNoticeAction ClassifyNotice(WPARAM event, LPARAM data)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header == nullptr)
        return ClassifyDeviceNotice(static_cast<std::uint32_t>(event), nullptr);
    DeviceNoticeRecord record;
    record.deviceType = header->dbch_devicetype;
    if (record.deviceType == DBT_DEVTYP_DEVICEINTERFACE
        && header->dbch_size >= offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_classguid) + sizeof(GUID)) {
        const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(header);
        std::memcpy(record.interfaceClass.data(), &device->dbcc_classguid, sizeof(GUID));
    }
    return ClassifyDeviceNotice(static_cast<std::uint32_t>(event), &record);
}

constexpr std::chrono::milliseconds kLockWorkerExitWait{2000};

// True when the database is in its file. Without a database (its file name
// did not fit the path limit) there is nothing that could be lost.
bool SaveChannels(CChannelDatabase& database)
{
    return database.Save() != 0 || database.Root() == nullptr;
}

}

CMainDlg::CMainDlg(CMainFrame* frame) : CDialog(IDD_MAIN), frame(frame) {}

CMainDlg::~CMainDlg()
{
    Destroy();
}

ReceiverDriver& CMainDlg::Driver() const
{
    return TheReceiverDriver();
}

void CMainDlg::MarkSettingsChanged(int setFlag)
{
    EnableItem(IDC_MAIN_APPLY, true);
    if (setFlag != 0)
        settingsChanged = 1;
    ShowLockDisplay();   // an edit may have changed what a lock would tune to
}

void CMainDlg::SetTuningChanged(int changed)
{
    tuningChanged = changed;
    if (changed == 0)
        lockedTarget = CurrentLockTarget(database);
    ShowLockDisplay();
}

void CMainDlg::RefreshPages()
{
    tabControl.RefreshPages();
    ShowLockDisplay();
}

void CMainDlg::Trace(const std::string& line)
{
    WriteDiagnosticTrace(line);
}

std::string CMainDlg::LanguageFilePath() const
{
    return ::LanguageFilePath(settings.installationPath, settings.languageName);
}

std::string CMainDlg::Text(const char* key, const char* english) const
{
    return Message(AppliedLanguageFile(), key, english);
}

void CMainDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_MAIN_QUALITY_TEXT, qualityText);
    dx.Text(IDC_MAIN_STRENGTH_TEXT, strengthText);
}

BOOL CMainDlg::OnInitDialog()
{
    bannerPicture.Attach(hwnd, IDC_MAIN_BANNER);
    lockIcon.Attach(hwnd, IDC_MAIN_LOCK_ICON);
    satelliteCombo.Attach(hwnd, IDC_MAIN_SATELLITE_COMBO);
    languageCombo.Attach(hwnd, IDC_MAIN_LANGUAGE_COMBO);
    tabControl.Subclass(Item(IDC_MAIN_TAB));

    icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    CopyInstallPath();
    LoadSettings();
    LoadBanner();
    if (!InitialiseReceiver())
        return TRUE;
    SetUpMacAddresses();
    RegisterDeviceNotifications();
    return TRUE;
}

bool CMainDlg::InitialiseReceiver()
{
    receiverInitialised = true;
    if (Driver().InitDise() != 0) {
        ShowErrorMessage(hwnd, Text("String18", "Can't init hardware information,this application will exit."));
        if (frame != nullptr)
            PostMessageA(frame->GetSafeHwnd(), WM_CLOSE, 0, 0);
        return false;
    }
    deviceKind = Driver().GetCIInfo();
    LoadDatabase();
    CreatePages();
    FillLanguageList();
    powerSettings.Suspend();
    FillSatelliteList();
    RefreshPages();
    StartSignalTimer();
    CreateLevelBars();
    EnableItem(IDC_MAIN_APPLY, false);
    TraceTimestamp("**********App Start**********");

    int strength = 0, quality = 0, reserved1 = 0, reserved2 = 0, lockValue = 0;
    Driver().GetSignalStrAndQu(&strength, &quality, &reserved1, &reserved2, &lockValue);
    ShowSignal(strength, quality, lockValue);

    initialLockPending = 1;
    helpCookie = HtmlHelpInitialize();
    StartTimer(503, 110, startupLockTimer);
    return true;
}

void CMainDlg::LoadDatabase()
{
    database.LoadFile(DatabaseFilePath(settings.installationPath, deviceKind));
}

void CMainDlg::CreatePages()
{
    const std::vector<std::string> captions = TabCaptions(deviceKind);
    CTabCtrl tabs(Item(IDC_MAIN_TAB));
    for (size_t i = 0; i < captions.size(); ++i)
        tabs.InsertItem(static_cast<int>(i), captions[i]);
    tabControl.CreatePages(deviceKind);
    tabControl.SetDatabase(&database);
}

void CMainDlg::TraceTimestamp(const char* label)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    char line[128];
    std::snprintf(line, sizeof(line), "%s%d-%d-%d %d:%d:%d\n", label, local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    Trace(line);
}

void CMainDlg::RegisterDeviceNotifications()
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = 32;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = ReceiverInterfaceClass();
    // The handle is kept by the system until the window goes away.
    RegisterDeviceNotificationA(hwnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CMainDlg::OnDestroy()
{
    strengthBar.reset();
    qualityBar.reset();
    if (receiverInitialised) {
        if (filterStarted) {
            Trace(".....Stop Filter.....\n");
            if (Driver().StopFilter() == 0) {
                Trace("Stop Filter Return Ok.\n");
                filterStarted = 0;
            } else {
                Trace("Stop Filter Return Fail.\n");
            }
        }
        TraceTimestamp("**********App End**********");
    }
    StopSignalTimer();
    StopTimer(startupLockTimer);
    StopStatisticsTimer();
    StopPidMacTimer();
    // Destroying the pages stops their lock workers from making further calls.
    tabControl.DestroyPages();
    if (receiverInitialised) {
        // ReleaseDise should be the last call: give a worker still inside
        // LockChannel3 a short time to return, but never let a hanging driver
        // keep the program from ending (the call dies with the process).
        WaitForLockWorkers(kLockWorkerExitWait);
        Driver().SetDiseCom1(0, 0, 0, 0);
        Driver().ReleaseDise();
    }
    powerSettings.Restore();
    if (helpCookie != 0) {
        HtmlHelpUninitialize(helpCookie);
        helpCookie = 0;
    }
    DeleteTemporaryLanguageFile(settings.installationPath, settings.languageName);
    if (bannerBitmap != nullptr) {
        DeleteObject(bannerBitmap);
        bannerBitmap = nullptr;
    }
}

bool CMainDlg::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CMainDlg> kCommands[] = {
        {CBN_SELCHANGE, IDC_MAIN_LANGUAGE_COMBO, &CMainDlg::OnLanguageChanged},
        {BN_CLICKED, IDC_MAIN_NEW, &CMainDlg::OnNewSatellite},
        {BN_CLICKED, IDC_MAIN_CHANGE, &CMainDlg::OnChangeSatellite},
        {BN_CLICKED, IDC_MAIN_REMOVE, &CMainDlg::OnRemoveSatellite},
        {BN_CLICKED, IDC_MAIN_APPLY, &CMainDlg::OnApply},
        {BN_CLICKED, IDC_MAIN_HELP, &CMainDlg::OnHelpButton},
        {CBN_SELCHANGE, IDC_MAIN_SATELLITE_COMBO, &CMainDlg::OnSatelliteSelected},
        {BN_CLICKED, IDC_MAIN_RESTORE, &CMainDlg::OnRestore},
        {STN_DBLCLK, kLevelBarId, &CMainDlg::OpenSignalWindow},
    };
    return DispatchCommand(this, kCommands, code, id);
}

bool CMainDlg::OnNotify(NMHDR* header, LRESULT&)
{
    // However the strip's selection changed, its page follows.
    if (header != nullptr && header->idFrom == IDC_MAIN_TAB && header->code == TCN_SELCHANGE)
        tabControl.FollowSelectedTab(false);
    return false;
}

CTabPage* CMainDlg::LockingPage() const
{
    // The Dish Setting page is the second of a satellite card; the cable and
    // terrestrial pages come first.
    return tabControl.Page(IsSatelliteCard(deviceKind) ? 1 : 0);
}

CTabPage* CMainDlg::PidPage() const
{
    return tabControl.Page(IsSatelliteCard(deviceKind) ? 2 : 1);
}

bool CMainDlg::SaveMotorSettings()
{
    auto* dish = dynamic_cast<CDishPage*>(LockingPage());
    return dish == nullptr || dish->SaveMotorSettings();
}

bool CMainDlg::RelockIfNeeded()
{
    const bool motorSaved = !IsSatelliteCard(deviceKind) || SaveMotorSettings();
    bool relock = locked == 0 || (IsItemEnabled(IDC_MAIN_APPLY) && settingsChanged != 0);
    if (relock) {
        if (CTabPage* page = LockingPage())
            page->Lock(0);
    }
    return motorSaved;
}

bool CMainDlg::SaveChanges(bool motorSaved)
{
    const bool channelsSaved = SaveChannels(database);
    const bool settingsSaved = SaveSettings() && motorSaved;
    if (channelsSaved && settingsSaved)
        return true;
    // The old file stays and the changes stay in memory: Apply stays on, so
    // that they can be saved again and Exit still asks before they go.
    std::string text = Text("String42", "The changes could not be saved.") + "\n";
    if (!channelsSaved)
        text += "\n" + Text("String43", "Channel database:") + "\n" + database.FilePath() + "\n";
    if (!settingsSaved)
        text += "\n" + Text("String44", "Settings:") + "\n" + SettingsKeyName() + "\n";
    text += "\n" + Text("String45", "The changes are kept. Close any program that uses the file, then save again with Apply or OK.");
    ShowErrorMessage(hwnd, text);
    return false;
}

void CMainDlg::OnApply()
{
    const bool motorSaved = RelockIfNeeded();
    if (SatelliteRecord* satellite = database.CurrentSatellite())
        settings.currentDegree = satellite->degree;
    const bool saved = SaveChanges(motorSaved);
    settingsChanged = 0;
    EnableItem(IDC_MAIN_APPLY, !saved);
}

void CMainDlg::OnOK()
{
    const bool motorSaved = RelockIfNeeded();
    const bool saved = SaveChanges(motorSaved);
    settingsChanged = 0;
    if (!saved)
        return;   // the dialog stays, with Apply on, so nothing looks saved that is not
    Show(SW_HIDE);
    if (frame != nullptr)
        frame->SetVisibleFlag(0);
    EnableItem(IDC_MAIN_APPLY, false);
}

void CMainDlg::OnCancel()
{
    if (frame != nullptr)
        frame->SetVisibleFlag(0);
    Show(SW_HIDE);
}

void CMainDlg::OnRestore()
{
    if (!AskYesNo(hwnd, Text("String26", "The App will restore settings and data, are you sure?")))
        return;
    const MainSettings left = settings;
    LoadSettings();
    // A language chosen since the last save is left here: its copy goes.
    if (left.languageName != settings.languageName || left.installationPath != settings.installationPath)
        DeleteTemporaryLanguageFile(left.installationPath, left.languageName);
    EnableItem(IDC_MAIN_APPLY, false);
    LoadDatabase();
    FillSatelliteList();
    FillLanguageList();
    RefreshPages();
}

bool CMainDlg::RunExitQuestion()
{
    if (!AskYesNo(hwnd, Text("String25", "The App will exit,save current changed settings and data?")))
        return true;
    const bool motorSaved = !IsSatelliteCard(deviceKind) || SaveMotorSettings();
    return SaveChanges(motorSaved);
}

bool CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_DEVICECHANGE:
        OnDeviceChange(wParam, lParam);
        return false;   // the dialog's normal handling follows
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE && frame != nullptr)
            frame->SetVisibleFlag(0);
        else if ((wParam & 0xFFF0) == SC_RESTORE && frame != nullptr)
            frame->SetVisibleFlag(1);
        return false;
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<INT_PTR>(icon);
        return true;
    case WM_HELP:
        OnHelpRequest();
        result = TRUE;
        return true;
    default:
        return false;
    }
}

void CMainDlg::OnDeviceChange(WPARAM event, LPARAM data)
{
    switch (ClassifyNotice(event, data)) {
    case DeviceNoticeAction::ReceiverArrived:
        MessageBoxA(hwnd, "Norvane USB Device DEVICEARRIVAL", kProgramTitle, MB_OK);
        break;
    case DeviceNoticeAction::ReceiverRemoved:
        if (frame != nullptr)
            PostMessageA(frame->GetSafeHwnd(), WM_CLOSE, 0, 0);
        break;
    case DeviceNoticeAction::Ignore:
        break;
    }
}
