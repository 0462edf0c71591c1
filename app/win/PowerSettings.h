// Keeps the screen saver and the power-saving modes off while the program
// runs, without writing the user's profile.
#pragma once

class CPowerSettings {
public:
    void Suspend();
    void Restore();

private:
    int screenSaverActive = 0;
    int lowPowerActive = 0;
    int powerOffActive = 0;
};
