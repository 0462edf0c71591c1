// The PID page (132, the "Filter" tab): the data PIDs of the current
// transponder or channel, their loading into the card's filter, the reception
// counters and the card's MAC address.
#pragma once

#include "framework/Controls.h"
#include "database/win/DatabasePage.h"
#include "reception/MacAddressText.h"
#include "reception/PidPageRules.h"
#include "reception/ReceptionStatistics.h"
#include "reception/ReceptionSession.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>

class CPidPage : public CDatabasePage, public PidPageLink {
public:
    CPidPage(ReceptionSession& session, const DialogTranslator& translator, CChannelDatabase& database);
    ~CPidPage() override;

    // Rebuilds the list from the database's current transponder.
    void Refresh() override;
    // Timer 504: the reception counters; the counters read, if the driver gave them.
    std::optional<StatsCounters> RefreshStatistics() override;
    // A PID of the current transponder is in the card's filter.
    bool HasLoadedPid() const override { return rules.HasAcceptedPid(); }
    // Timer 505 and the list buttons: the MAC Address column.
    void RefreshPidMacs() override;
    // After each successful lock and filter start: sends every PID of the
    // current transponder marked as loaded to the card, and shows those it
    // refused.
    void ReloadPids() override;
    // Also translates the list's column headings.
    void ApplyLanguage(const std::string& file) override;
    // The address start-up gave the card's filter, shown in the MAC field.
    void ShowMacAddress(const MacAddress& address) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    void OnShowWindow(bool shown) override;
    void OnDestroy() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void SetUpList();
    void FillRow(const PidRow& row);

    // The four list buttons: timer 505 is stopped while the button works on
    // the list, the MAC column refreshed and the timer started again after.
    template <class Action>
    void WithPidMacTimerStopped(Action action);
    void OnAdd();
    void AddFromPidInfo();
    void OnLoad() { LoadSelected(true); }
    void OnRemove();
    void OnUnload() { LoadSelected(false); }
    // Load and Unload of the selected row.
    void LoadSelected(bool load);
    void OnChangeMac();
    void OnPortChanged() {}

    // The record behind a row (its item data), or null.
    PidRecord* RowRecord(int row) const;
    void SelectRow(int row, bool takeFocus) const;

    CIpAddressCtrl proxyAddress;
    std::string portText;
    CListView pidList;
    StatisticsTexts statistics;
    std::string macText;
    HIMAGELIST images = nullptr;
    ReceptionSession& session;
    PidPageRules rules;
};
