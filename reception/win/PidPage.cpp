#include "reception/win/PidPage.h"

#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "reception/PidListTexts.h"
#include "resources/resource.h"

#include <vector>

namespace {
constexpr int kImageWidth = 16;
const COLORREF kImageMask = RGB(0, 128, 128);
}   // namespace

CPidPage::CPidPage(ReceptionSession& session, const DialogTranslator& translator, CChannelDatabase& database)
    : CDatabasePage(IDD_PID_PAGE, translator, database), statistics(ZeroStatisticsTexts()), session(session),
      rules(database, session)
{
    keepsEscape = true;
    session.RegisterPidPage(this);
}

CPidPage::~CPidPage()
{
    // The window goes first: its destruction still reaches this page's handlers.
    Destroy();
    if (images != nullptr)
        ImageList_Destroy(images);
}

void CPidPage::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_PID_PROXY_PORT, portText);
    dx.Text(IDC_PID_SPEED, statistics.speed);
    dx.Text(IDC_PID_BYTES_ERROR, statistics.bytesError);
    dx.Text(IDC_PID_BYTES_RECEIVED, statistics.bytesReceived);
    dx.Text(IDC_PID_BYTES_TOTAL, statistics.bytesTotal);
    dx.Text(IDC_PID_PACKETS_ERROR, statistics.packetsError);
    dx.Text(IDC_PID_PACKETS_RECEIVED, statistics.packetsReceived);
    dx.Text(IDC_PID_PACKETS_TOTAL, statistics.packetsTotal);
    dx.Text(IDC_PID_MAC_TEXT, macText);
}

BOOL CPidPage::OnInitDialog()
{
    proxyAddress.Attach(hwnd, IDC_PID_PROXY_ADDRESS);
    pidList.Attach(hwnd, IDC_PID_LIST);
    SetUpList();
    session.StartStatisticsTimer();
    session.StartPidMacTimer();
    statistics = ZeroStatisticsTexts();
    // The MAC field waits for the address start-up gives the filter.
    UpdateData(false);
    return TRUE;
}

void CPidPage::SetUpList()
{
    pidList.SetExtendedStyle(kPidListExtendedStyle);
    RECT client{};
    GetClientRect(pidList.Handle(), &client);
    int index = 0;
    for (const PidColumn& column : PidColumns(client.right - client.left))
        pidList.InsertColumn(index++, column.title, column.width);

    images = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PID_STATES), kImageWidth, 0,
                                  kImageMask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    // The page owns the one image list; a list view without this style
    // destroys its lists itself, and this one would go twice.
    SetWindowLongPtrA(pidList.Handle(), GWL_STYLE,
                      GetWindowLongPtrA(pidList.Handle(), GWL_STYLE) | LVS_SHAREIMAGELISTS);
    pidList.SetImageList(images, LVSIL_NORMAL);
    pidList.SetImageList(images, LVSIL_SMALL);
}

void CPidPage::ShowMacAddress(const MacAddress& address)
{
    macText = MacDisplayText(address);
    UpdateData(false);
}

void CPidPage::ApplyLanguage(const std::string& file)
{
    ApplyLanguageFile(file);
    int index = 0;
    for (const PidColumn& column : PidColumns(0))
        pidList.SetColumnText(index++, Text(column.titleKey, column.title));
}

bool CPidPage::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CPidPage> kCommands[] = {
        {BN_CLICKED, IDC_PID_ADD, &CPidPage::OnAdd},
        {BN_CLICKED, IDC_PID_LOAD, &CPidPage::OnLoad},
        {BN_CLICKED, IDC_PID_REMOVE, &CPidPage::OnRemove},
        {BN_CLICKED, IDC_PID_UNLOAD, &CPidPage::OnUnload},
        {EN_CHANGE, IDC_PID_PROXY_PORT, &CPidPage::OnPortChanged},
        {BN_CLICKED, IDC_PID_MAC_CHANGE, &CPidPage::OnChangeMac},
    };
    return DispatchCommand(this, kCommands, code, id);
}

// Shown or hidden alike.
void CPidPage::OnShowWindow(bool)
{
    if (pidList.Exists() && pidList.GetItemCount() > 0)
        SelectRow(0, false);
}

void CPidPage::OnDestroy()
{
    session.StopStatisticsTimer();
    session.StopPidMacTimer();
}

void CPidPage::Refresh()
{
    if (hwnd == nullptr)
        return;
    portText.clear();
    proxyAddress.ClearAddress();
    pidList.DeleteAllItems();
    for (const PidRow& row : rules.Refresh())
        FillRow(row);
    UpdateData(false);
}

void CPidPage::FillRow(const PidRow& row)
{
    const int index = pidList.InsertItem(pidList.GetItemCount(), row.pidText, row.image, row.record);
    if (index < 0)
        return;
    pidList.SetItemText(index, kTypeColumn, row.typeText);
    pidList.SetItemText(index, kMacColumn, row.macText);
}

void CPidPage::ReloadPids()
{
    rules.ReloadPids();
    // The card's answers change only the images: the selection stays.
    for (int row = 0; row < pidList.GetItemCount(); ++row) {
        if (const PidRecord* record = RowRecord(row))
            pidList.SetItemImage(row, rules.Image(*record));
    }
}

std::optional<StatsCounters> CPidPage::RefreshStatistics()
{
    if (hwnd == nullptr || !pidList.Exists())
        return std::nullopt;
    std::optional<StatisticsReading> reading = rules.RefreshStatistics();
    if (!reading)
        return std::nullopt;
    statistics = reading->texts;
    UpdateData(false);
    return reading->counters;
}

void CPidPage::RefreshPidMacs()
{
    if (hwnd == nullptr || !pidList.Exists())
        return;
    const int count = pidList.GetItemCount();
    std::vector<const PidRecord*> records;
    for (int row = 0; row < count; ++row)
        records.push_back(RowRecord(row));
    const std::vector<std::string> texts = rules.RefreshPidMacs(records);
    for (int row = 0; row < count && row < static_cast<int>(texts.size()); ++row)
        pidList.SetItemText(row, kMacColumn, texts[static_cast<size_t>(row)]);
}

PidRecord* CPidPage::RowRecord(int row) const
{
    // The item data is only trusted while the record still belongs to the
    // current transponder, so that a list the database has moved away from
    // is never read through.
    const auto* wanted = static_cast<const PidRecord*>(pidList.GetItemData(row));
    const TransponderRecord* transponder = database.CurrentTransponder();
    if (wanted == nullptr || transponder == nullptr)
        return nullptr;
    for (PidRecord* pid = transponder->firstPid; pid != nullptr; pid = pid->next) {
        if (pid == wanted)
            return pid;
    }
    return nullptr;
}

void CPidPage::SelectRow(int row, bool takeFocus) const
{
    if (row < 0 || row >= pidList.GetItemCount())
        return;
    pidList.Select(row);
    ListView_EnsureVisible(pidList.Handle(), row, FALSE);
    if (takeFocus)
        SetFocus(pidList.Handle());
}
