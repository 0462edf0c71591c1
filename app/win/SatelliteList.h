// The main dialog's satellite (channel) list (1002) with its New, Change and
// Remove buttons: the window side of the list rules.
#pragma once

#include "framework/Controls.h"

#include <functional>
#include <string>

class ReceiverSession;
class ReceiverView;
struct SatelliteRecord;

class CSatelliteList {
public:
    // languageFile names the file the Satellite Info dialog is translated with.
    CSatelliteList(ReceiverSession& session, ReceiverView& view, std::function<std::string()> languageFile);

    void Attach(HWND dialog);
    // The list, selected as the saved settings say.
    void Fill();
    // The list after an import or a scan added to it, the current one selected.
    void ShowAdded();
    void OnSelected();
    // New (change false) and Change (true): the Satellite Info dialog, then the rules.
    void Edit(bool change);
    void OnRemove();

private:
    void AppendAndSelect(SatelliteRecord* record);

    ReceiverSession& session;
    ReceiverView& view;
    std::function<std::string()> languageFile;
    HWND dialog = nullptr;
    CComboBox combo;
};
