// The "Motor Settings" group of the Dish Setting page: hold buttons, limits,
// USALS, stored positions and the motor values in the registry.
#include "tuning/win/DishPage.h"

#include "common/RuleResult.h"
#include "database/ChannelDatabase.h"
#include "resources/resource.h"

std::unique_ptr<CHoldButton> CDishPage::CreateHoldButton(int id)
{
    RECT rect{};
    GetWindowRect(Item(id), &rect);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    auto button = std::make_unique<CHoldButton>();
    if (!button->Create(hwnd, GetItemText(id), rect, id, font))
        return nullptr;
    button->SetTag(id);
    // Right behind the hidden template button, so that the tab order stays the template's.
    SetWindowPos(button->Handle(), Item(id), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return button;
}

void CDishPage::EnableHoldButton(const std::unique_ptr<CHoldButton>& button, bool enable) const
{
    if (button)
        EnableWindow(button->Handle(), enable ? TRUE : FALSE);
}

void CDishPage::ApplyLimitStates(const LimitButtonStates& states) const
{
    EnableItem(IDC_DISH_SET_EAST_LIMIT, states.setEastLimit);
    EnableItem(IDC_DISH_SET_WEST_LIMIT, states.setWestLimit);
    EnableItem(IDC_DISH_CANCEL_LIMIT, states.cancelLimit);
}

void CDishPage::ApplyPositionStates(const PositionControlStates& states) const
{
    EnableItem(IDC_DISH_POSITION_COMBO, states.positionList);
    EnableItem(IDC_DISH_POSITION_GOTO, states.gotoPosition);
    EnableItem(IDC_DISH_POSITION_SET, states.setPosition);
}

PositionInputs CDishPage::CurrentPositionInputs() const
{
    const SatelliteRecord* satellite = CurrentSatellite();
    return PositionInputs{satellite != nullptr ? satellite->dishType : kNoDishType, motor.storedPositions,
                          motor.positionIndex};
}

void CDishPage::UpdateMotorControls(int dishType)
{
    const MotorControlStates states = MotorControlRules(dishType, motor.limitFlags, CurrentPositionInputs());
    EnableItem(IDC_DISH_LONGITUDE, states.longitude);
    EnableItem(IDC_DISH_LATITUDE, states.latitude);
    EnableItem(IDC_DISH_GOTO_SATELLITE, states.gotoSatellite);
    EnableHoldButton(driveEastButton, states.driveEast);
    EnableHoldButton(driveWestButton, states.driveWest);
    EnableItem(IDC_DISH_GOTO_ZERO, states.gotoZero);
    ApplyLimitStates(states.limits);
    ApplyPositionStates(states.positions);
}

void CDishPage::UpdateLimitButtons(std::uint32_t limitFlags) { ApplyLimitStates(LimitButtonRules(limitFlags)); }

void CDishPage::UpdatePositionControls() { ApplyPositionStates(PositionControlRules(CurrentPositionInputs())); }

void CDishPage::LoadMotorSettings() { ::LoadMotorSettings(*settingsKey.Open(false), motor); }

void CDishPage::ReloadMotorFields()
{
    ::ReloadMotorSettings(*settingsKey.Open(false), motor);
    ShowSavedMotorTexts();
}

void CDishPage::ShowSavedMotorTexts()
{
    const MotorTexts texts = SavedMotorTexts(motor);
    longitudeText = texts.longitude;
    latitudeText = texts.latitude;
    angleText = texts.angle;
    elevationText = texts.elevation;
}

MotorTexts CDishPage::ShownMotorTexts()
{
    if (hwnd != nullptr) {
        // A coordinate typed without leaving the edit has not been checked yet.
        longitudeText = CheckCoordinate(GetItemText(IDC_DISH_LONGITUDE), motor.longitude, kLongitudeBound).text;
        latitudeText = CheckCoordinate(GetItemText(IDC_DISH_LATITUDE), motor.latitude, kLatitudeBound).text;
        SetTextQuietly(IDC_DISH_LONGITUDE, longitudeText);
        SetTextQuietly(IDC_DISH_LATITUDE, latitudeText);
        angleText = GetItemText(IDC_DISH_MOTOR_ANGLE);
        elevationText = GetItemText(IDC_DISH_ELEVATION);
    }
    return MotorTexts{longitudeText, latitudeText, angleText, elevationText};
}

bool CDishPage::SaveMotorSettings()
{
    const MotorTexts shown = ShownMotorTexts();
    return ::SaveMotorSettings(*settingsKey.Open(true), shown, motor);
}

void CDishPage::DishMoved() { session.DishMoved(); }

void CDishPage::OnHoldButtonPressed(LPARAM tag) { motorCommands.HoldPressed(tag); }

void CDishPage::OnHoldButtonReleased(LPARAM tag) { motorCommands.HoldReleased(tag); }

void CDishPage::OnGotoZero() { motorCommands.GotoZero(); }
void CDishPage::OnSetEastLimit() { motorCommands.SetEastLimit(); }
void CDishPage::OnSetWestLimit() { motorCommands.SetWestLimit(); }
void CDishPage::OnCancelLimit() { motorCommands.CancelLimit(); }
void CDishPage::OnGotoPosition() { motorCommands.GotoPosition(); }

void CDishPage::OnSetPosition()
{
    const SatelliteRecord* satellite = CurrentSatellite();
    motorCommands.StorePosition(satellite != nullptr, satellite != nullptr ? satellite->dishType : kNoDishType);
}

void CDishPage::OnPositionChosen()
{
    ReadControls();
    motorCommands.PositionChosen(motor.positionIndex);
}

void CDishPage::OnGotoSatellite()
{
    if (!AwaitCard())
        return;
    StopSignalTimer();
    ReadControls();
    if (const SatelliteRecord* satellite = CurrentSatellite()) {
        const UsalsResult result = GotoSatellite(session.Driver(), satellite->degree, longitudeText, latitudeText);
        if (!result.unreachable)
            DishMoved();
        if (result.unreachable)
            ShowMessage(MessageRef{kUnreachableMessageKey, kUnreachableMessageText});
        angleText = result.angleText;
        elevationText = result.elevationText;
        PutFieldsIntoControls();
        SaveMotorSettings();
    }
    StartSignalTimer();
    MarkSettingsChanged();
}

void CDishPage::OnLongitudeEdited()
{
    EditCoordinate(IDC_DISH_LONGITUDE, longitudeText, motor.longitude, kLongitudeBound);
}

void CDishPage::OnLatitudeEdited() { EditCoordinate(IDC_DISH_LATITUDE, latitudeText, motor.latitude, kLatitudeBound); }

void CDishPage::EditCoordinate(int id, std::string& text, const std::string& saved, double bound)
{
    if (FillingControls())
        return;
    ReadControls();
    const CoordinateEdit edit = CheckCoordinate(text, saved, bound);
    if (edit.text != text) {
        text = edit.text;
        SetTextQuietly(id, text);
    }
    if (edit.changed)
        MarkSettingsChanged();
}
