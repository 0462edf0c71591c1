// What the rules of a page or dialog hand back to the window code besides
// their values: the message to show and what the main dialog must be told.
#pragma once

// A user-visible message: the language-file key and the built-in English text
// shown when the key's lookup comes back empty. Both null when there is none.
struct MessageRef {
    const char* key = nullptr;
    const char* english = nullptr;

    bool IsEmpty() const { return key == nullptr; }
};

// Follow-up calls on the main dialog, to be made in this order when set:
// SetTuningChanged, the tab control's RefreshPages, MarkSettingsChanged.
struct MainDialogEffects {
    bool setTuningChanged = false;
    bool refreshPages = false;
    bool markSettingsChanged = false;
};
