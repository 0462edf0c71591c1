#include "tuning/win/DishPage.h"

#include "database/ChannelDatabase.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "framework/UiText.h"
#include "language/win/TranslatedModal.h"
#include "resources/resource.h"
#include "tuning/DishPageView.h"
#include "tuning/TransponderInfoRules.h"
#include "tuning/SwitchCommands.h"
#include "tuning/TransponderRules.h"
#include "tuning/win/TransponderInfoDlg.h"

namespace {
constexpr int kTransponderFieldLength = static_cast<int>(kTransponderFieldMaxLength);
constexpr int kTransponderControls[] = {IDC_DISH_FREQUENCY_COMBO, IDC_DISH_SYMBOL_RATE, IDC_DISH_VERTICAL,
                                        IDC_DISH_HORIZONTAL};
}   // namespace

CDishPage::CDishPage(TuningSession& session, const DialogTranslator& translator, CChannelDatabase& database,
                     SettingsKeyOpener& settingsKey)
    : CLockingPage(IDD_DISH_PAGE, translator, session, database, LockKind::Satellite, this), settingsKey(settingsKey),
      motorCommands(session.Gate(), *this, motor)
{
}

CDishPage::~CDishPage()
{
    // The window goes first, while the hold buttons and the lock still exist.
    Destroy();
}

void CDishPage::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_DISH_DEGREE, degreeText);
    dx.Text(IDC_DISH_ELEVATION, elevationText);
    dx.Text(IDC_DISH_FREQUENCY, frequencyText);
    dx.Text(IDC_DISH_LATITUDE, latitudeText);
    dx.Text(IDC_DISH_LONGITUDE, longitudeText);
    dx.Text(IDC_DISH_MOTOR_ANGLE, angleText);
    dx.Text(IDC_DISH_SATELLITE_TEXT, satelliteText);
    dx.Text(IDC_DISH_SYMBOL_RATE, symbolRateText);
    dx.RadioIndex(IDC_DISH_VERTICAL, IDC_DISH_HORIZONTAL, polarity);
    dx.Text(IDC_DISH_FREQUENCY_COMBO, frequencyComboText);
    dx.ComboIndex(IDC_DISH_POSITION_COMBO, motor.positionIndex);
}

BOOL CDishPage::OnInitDialog()
{
    frequencyCombo.Attach(hwnd, IDC_DISH_FREQUENCY_COMBO);
    frequencyCombo.LimitText(kTransponderFieldLength);
    CEditCtrl(Item(IDC_DISH_SYMBOL_RATE)).LimitText(kTransponderFieldLength);
    // The position items "0" to "7" come with the template.

    driveEastButton = CreateHoldButton(IDC_DISH_DRIVE_EAST);
    driveWestButton = CreateHoldButton(IDC_DISH_DRIVE_WEST);
    LoadMotorSettings();
    ShowSavedMotorTexts();
    UpdateMotorControls(kNoDishType);
    PutFieldsIntoControls();
    ControlsReady();
    return TRUE;
}

bool CDishPage::OnCommand(WORD code, WORD id, HWND)
{
    static const CommandEntry<CDishPage> kCommands[] = {
        {BN_CLICKED, IDC_DISH_NEW, &CDishPage::OnNewTransponder},
        {BN_CLICKED, IDC_DISH_CANCEL_LIMIT, &CDishPage::OnCancelLimit},
        {BN_CLICKED, IDC_DISH_GOTO_SATELLITE, &CDishPage::OnGotoSatellite},
        {BN_CLICKED, IDC_DISH_GOTO_ZERO, &CDishPage::OnGotoZero},
        {BN_CLICKED, IDC_DISH_LOCK_TEST, &CDishPage::OnLockTest},
        {BN_CLICKED, IDC_DISH_SET_EAST_LIMIT, &CDishPage::OnSetEastLimit},
        {BN_CLICKED, IDC_DISH_SET_WEST_LIMIT, &CDishPage::OnSetWestLimit},
        {BN_CLICKED, IDC_DISH_VERTICAL, &CDishPage::OnPolarityClicked},
        {EN_CHANGE, IDC_DISH_SYMBOL_RATE, &CDishPage::OnControlsEdited},
        {EN_KILLFOCUS, IDC_DISH_SYMBOL_RATE, &CDishPage::OnSymbolRateEdited},
        {BN_CLICKED, IDC_DISH_REMOVE, &CDishPage::OnRemoveTransponder},
        {BN_CLICKED, IDC_DISH_IMPORT, &CDishPage::OnImportList},
        {BN_CLICKED, IDC_DISH_SCAN, &CDishPage::OnCheckTransponders},
        {CBN_EDITCHANGE, IDC_DISH_FREQUENCY_COMBO, &CDishPage::OnControlsEdited},
        {CBN_SELCHANGE, IDC_DISH_FREQUENCY_COMBO, &CDishPage::OnTransponderChosen},
        {CBN_KILLFOCUS, IDC_DISH_FREQUENCY_COMBO, &CDishPage::OnFrequencyEdited},
        {EN_KILLFOCUS, IDC_DISH_LONGITUDE, &CDishPage::OnLongitudeEdited},
        {EN_CHANGE, IDC_DISH_LONGITUDE, &CDishPage::OnControlsEdited},
        {EN_CHANGE, IDC_DISH_LATITUDE, &CDishPage::OnControlsEdited},
        {EN_KILLFOCUS, IDC_DISH_LATITUDE, &CDishPage::OnLatitudeEdited},
        {BN_CLICKED, IDC_DISH_POSITION_GOTO, &CDishPage::OnGotoPosition},
        {BN_CLICKED, IDC_DISH_POSITION_SET, &CDishPage::OnSetPosition},
        {BN_CLICKED, IDC_DISH_HORIZONTAL, &CDishPage::OnPolarityClicked},
        {CBN_SELCHANGE, IDC_DISH_POSITION_COMBO, &CDishPage::OnPositionChosen},
    };
    return DispatchCommand(this, kCommands, code, id);
}

bool CDishPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case kHoldButtonPressed:
        OnHoldButtonPressed(lParam);
        result = TRUE;
        return true;
    case kHoldButtonReleased:
        OnHoldButtonReleased(lParam);
        result = TRUE;
        return true;
    default: return false;
    }
}

void CDishPage::OnDestroy()
{
    driveEastButton.reset();
    driveWestButton.reset();
}

void CDishPage::ApplyLanguage(const std::string& file)
{
    // The hold buttons cover the template's Drive East and Drive West buttons
    // and take the texts given to those.
    const HWND east = driveEastButton ? driveEastButton->Handle() : nullptr;
    const HWND west = driveWestButton ? driveWestButton->Handle() : nullptr;
    ApplyLanguageFile(file, {{IDC_DISH_DRIVE_EAST, east}, {IDC_DISH_DRIVE_WEST, west}});
    ShowDishType();
}

void CDishPage::ShowDishType() const
{
    SetUiText(Item(IDC_DISH_TYPE_TEXT),
              dishTypeName.IsEmpty() ? std::string() : Text(dishTypeName.key, dishTypeName.english));
}

SatelliteRecord* CDishPage::CurrentSatellite() const { return database.CurrentSatellite(); }

int CDishPage::SendTonePower()
{
    return ::SendTonePower(session.Driver(), database.CurrentSatellite(), database.CurrentTransponder(),
                           [this](const std::string& line) { session.Trace(line); });
}

int CDishPage::SendDiseqcSwitch()
{
    return ::SendDiseqcSwitch(session.Driver(), database.CurrentSatellite(), database.CurrentTransponder(),
                              [this](const std::string& line) { session.Trace(line); });
}

void CDishPage::ReadControls() { UpdateData(true); }

void CDishPage::SetTextQuietly(int id, const std::string& text)
{
    const CQuietFill quiet = FillQuietly();
    SetItemText(id, text);
}

void CDishPage::OnControlsEdited()
{
    if (!FillingControls())
        ReadControls();
}

void CDishPage::Refresh()
{
    if (hwnd == nullptr)
        return;
    const CQuietFill quiet = FillQuietly();
    SatelliteRecord* satellite = CurrentSatellite();
    ShowTransponders(
        BuildDishTransponderView(satellite, satellite != nullptr ? database.CurrentTransponder() : nullptr));
    ReloadMotorFields();
    UpdateMotorControls(satellite != nullptr ? satellite->dishType : kNoDishType);
    UpdateData(false);
    ShowDishType();
}

void CDishPage::ShowTransponders(const DishTransponderView& view)
{
    dishTypeName = view.dishTypeName;
    degreeText = view.degreeText;
    satelliteText = view.satelliteText;
    frequencyText = view.frequencyText;
    symbolRateText = view.symbolRateText;
    polarity = view.polarity;
    frequencyComboText = view.frequencyText;
    frequencyCombo.ResetContent();
    for (const TransponderComboItem& item : view.items) {
        const int index = frequencyCombo.AddString(item.text);
        if (index >= 0)
            frequencyCombo.SetItemData(index, item.record);
    }
    frequencyCombo.SetCurSel(view.selectedIndex);
    for (int id : kTransponderControls)
        EnableItem(id, view.transponderControlsEnabled);
    EnableItem(IDC_DISH_SCAN, !view.items.empty());
}

void CDishPage::OnNewTransponder()
{
    if (CurrentSatellite() == nullptr)
        return;
    TranslatedModal<CTransponderInfoDlg> dialog(CaptionDialogLanguageKeys("Dialog2"), languageFile);
    if (dialog.Run(MessageOwner()) != IDOK)
        return;
    const TransponderEditResult result =
        CreateTransponder(database, dialog->GetFrequency(), dialog->GetSymbolRate(), dialog->GetPolarity());
    ShowMessage(result.error);
    session.ApplyEffects(result.effects);
}

void CDishPage::OnRemoveTransponder()
{
    if (CurrentSatellite() == nullptr || database.CurrentTransponder() == nullptr)
        return;
    const MessageRef question = RemoveTransponderQuestion();
    if (!Ask(question))
        return;
    session.ApplyEffects(RemoveCurrentTransponder(database).effects);
}

void CDishPage::OnTransponderChosen()
{
    const int index = frequencyCombo.GetCurSel();
    if (index < 0)
        return;
    auto* record = static_cast<TransponderRecord*>(frequencyCombo.GetItemData(index));
    session.ApplyEffects(ChooseTransponder(database, record));
}

void CDishPage::OnFrequencyEdited()
{
    if (FillingControls())
        return;
    const TransponderEditResult result = EditTransponderFrequency(database, GetItemText(IDC_DISH_FREQUENCY_COMBO));
    if (result.outcome == TransponderEditOutcome::NothingDone)
        return;
    // Restore the text before the message box takes the focus: losing it
    // again must find nothing left to refuse.
    frequencyComboText = result.text;
    SetTextQuietly(IDC_DISH_FREQUENCY_COMBO, frequencyComboText);
    ShowMessage(result.error);
    session.ApplyEffects(result.effects);
}

void CDishPage::OnSymbolRateEdited()
{
    if (FillingControls())
        return;
    ReadControls();
    const TransponderEditResult result = EditTransponderSymbolRate(database, symbolRateText);
    if (result.outcome == TransponderEditOutcome::NothingDone)
        return;
    symbolRateText = result.text;
    session.ApplyEffects(result.effects);
    PutFieldsIntoControls();
}

void CDishPage::OnPolarityClicked()
{
    ReadControls();
    const TransponderEditResult result = EditTransponderPolarity(database, polarity);
    if (result.outcome == TransponderEditOutcome::NothingDone)
        return;
    polarity = result.polarity;
    session.ApplyEffects(result.effects);
    PutFieldsIntoControls();
}

void CDishPage::OnLockTest() { Lock(0); }
