// The Dish Setting page (130): transponders of the current satellite, Lock
// Test, the check of all transponders and the dish motor. The transponder
// handling lives in DishPage.cpp, the check in DishPageCheck.cpp, the motor
// group in DishPageMotor.cpp.
#pragma once

#include "common/RuleResult.h"
#include "common/SettingsStore.h"
#include "framework/Controls.h"
#include "tuning/MotorCommands.h"
#include "tuning/MotorRules.h"
#include "tuning/MotorSettings.h"
#include "tuning/win/HoldButton.h"
#include "tuning/win/ListImport.h"
#include "tuning/win/LockingPage.h"

#include <cstdint>
#include <memory>
#include <string>

struct DishTransponderView;
struct MainDialogEffects;
struct SatelliteRecord;

class CDishPage : public CLockingPage, private MotorHost, private SwitchCommandSender {
public:
    // settingsKey: where the motor values are kept.
    CDishPage(TuningSession& session, const DialogTranslator& translator, CChannelDatabase& database,
              SettingsKeyOpener& settingsKey);
    ~CDishPage() override;

    void Refresh() override;
    void ApplyLanguage(const std::string& file) override;

    // The motor values in the registry: read at initialisation and at every
    // refresh; written by Goto Satellite and by Apply, OK and the exit question.
    void LoadMotorSettings();
    // False when a value could not be written.
    bool SaveMotorSettings() override;

    // Enable rules of the motor group for a dish type (kNoDishType without a satellite).
    void UpdateMotorControls(int dishType);
    void UpdateLimitButtons(std::uint32_t limitFlags) override;
    void UpdatePositionControls() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // Shown or hidden alike.
    void OnShowWindow(bool) override { Refresh(); }
    void OnDestroy() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    // MotorHost: the session's card, signal timer and Apply state.
    bool AwaitCard() override { return session.AwaitCard(); }
    void SetDishDriving(bool driving) override { session.SetDishDriving(driving); }
    void DishMoved() override;
    void StopSignalTimer() override { session.StopSignalTimer(); }
    void StartSignalTimer() override { session.StartSignalTimer(); }
    void MarkSettingsChanged() override { session.MarkSettingsChanged(1); }
    // SwitchCommandSender: sent before every lock of the current satellite.
    int SendTonePower() override;
    int SendDiseqcSwitch() override;

    SatelliteRecord* CurrentSatellite() const;
    void ReadControls();
    void SetTextQuietly(int id, const std::string& text);
    void ShowTransponders(const DishTransponderView& view);
    // In the page's language, with the LNB & Switch page's texts.
    void ShowDishType() const;
    // Refresh: the registry's motor values, except the limits and stored
    // positions, which the page keeps as the motor holds them.
    void ReloadMotorFields();
    void ShowSavedMotorTexts();

    void OnNewTransponder();
    void OnRemoveTransponder();
    void OnImportList() { ImportListIntoDatabase(*this, session); }
    // Scan....: locks every transponder of the satellite and shows what locked.
    void OnCheckTransponders();
    void OnTransponderChosen();
    void OnFrequencyEdited();
    void OnSymbolRateEdited();
    void OnPolarityClicked();
    void OnLockTest();
    void OnControlsEdited();

    std::unique_ptr<CHoldButton> CreateHoldButton(int id);
    void EnableHoldButton(const std::unique_ptr<CHoldButton>& button, bool enable) const;
    void ApplyLimitStates(const LimitButtonStates& states) const;
    void ApplyPositionStates(const PositionControlStates& states) const;
    PositionInputs CurrentPositionInputs() const;
    MotorTexts ShownMotorTexts();
    void EditCoordinate(int id, std::string& text, const std::string& saved, double bound);
    void OnHoldButtonPressed(LPARAM tag);
    void OnHoldButtonReleased(LPARAM tag);
    void OnGotoSatellite();
    void OnGotoZero();
    void OnSetEastLimit();
    void OnSetWestLimit();
    void OnCancelLimit();
    void OnLongitudeEdited();
    void OnLatitudeEdited();
    void OnPositionChosen();
    void OnGotoPosition();
    void OnSetPosition();

    // The stored-positions mask, the four saved texts, the limit flags and
    // the position index (bound to combo box 1169).
    SettingsKeyOpener& settingsKey;
    MotorSettings motor;
    std::unique_ptr<CHoldButton> driveEastButton;
    std::unique_ptr<CHoldButton> driveWestButton;
    CComboBox frequencyCombo;
    MessageRef dishTypeName;
    std::string degreeText;   // hidden: the current satellite's degree
    std::string elevationText;
    std::string frequencyText;   // hidden: the current transponder's frequency
    std::string latitudeText;
    std::string longitudeText;
    std::string angleText;
    std::string satelliteText;
    std::string symbolRateText;
    int polarity = -1;
    std::string frequencyComboText;
    MotorCommands motorCommands;
};
