// The main dialog as the PID page's rules see it: its lock flags, the Apply
// button and the trace hook, found afresh through the page on every call,
// and the system's debugger output.
#pragma once

#include "reception/PidPageHost.h"

class CTabPage;
class CMainDlg;

class CPidPageMainHost final : public PidPageHost {
public:
    explicit CPidPageMainHost(const CTabPage& page) : page(page) {}

    bool IsLocked() const override;
    bool IsFilterStarted() const override;
    bool IsTuningChanged() const override;
    void MarkSettingsChanged() override;
    void Trace(const std::string& line) override;
    void DebugOutput(const std::string& line) override;

private:
    // Null while the page is not inside the main dialog's tab control.
    CMainDlg* MainDialog() const;

    const CTabPage& page;
};
