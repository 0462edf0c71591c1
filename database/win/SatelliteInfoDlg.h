// The Satellite Info dialog (137): name and orbital degree of a satellite, or
// only the name of a cable or terrestrial channel.
#pragma once

#include "framework/TranslatedDialog.h"

#include <cstdint>
#include <string>

class CSatelliteInfoDlg : public CTranslatedDialog {
public:
    explicit CSatelliteInfoDlg(const DialogTranslator& translator);

    void SetName(const std::string& name);
    void SetDegree(std::int32_t degree);
    void SetChannelMode(int mode) { channelMode = mode; }
    const std::string& GetName() const { return nameText; }
    std::int32_t GetDegree() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    std::string nameText;
    std::string degreeText;
    int channelMode = 0;
};
