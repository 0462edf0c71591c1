// How the scans' dialogs take their texts from a language file: control
// numbers, and "Cancel" for the progress dialog's Cancel button. Their
// captions are messages, set when they open.
#pragma once

#include "language/DialogLanguageRules.h"

inline DialogLanguageKeys ScanDialogLanguageKeys()
{
    DialogLanguageKeys keys;
    keys.cancelKey = true;
    return keys;
}
