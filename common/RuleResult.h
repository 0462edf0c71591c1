// What the rules hand back to the window code besides their values: the
// message to show and what else a change means for the program.
#pragma once

// A user-visible message: the language-file key and the built-in English text
// shown when the key's lookup comes back empty. Both null when there is none.
struct MessageRef {
    const char* key = nullptr;
    const char* english = nullptr;

    bool IsEmpty() const { return key == nullptr; }
};

// What a change means beyond the values it touched, acted on in this order:
// the tuning changed, the
// pages show values that changed, there are settings to save.
struct MainDialogEffects {
    bool setTuningChanged = false;
    bool refreshPages = false;
    bool markSettingsChanged = false;
};
