// The rules of the PID Info dialog, which asks for the number of a new PID:
// what may be typed, the switch between hexadecimal and decimal entry, and the
// check at OK. The dialog hands each change of its controls to one call here
// and puts Text() back into the edit.
#pragma once

#include "reception/ReceptionMessages.h"

#include <string>

enum class PidBase : int {
    Hexadecimal = 0,
    Decimal = 1,
};

constexpr int kMinDataPid = 21;
constexpr int kMaxDataPid = 8190;
// Every PID added through the dialog carries data in MPE sections.
constexpr int kNewPidType = 2;

class PidInfoRules {
public:
    static constexpr std::size_t kMaxTextLength = 4;

    // The user changed the edit's text. A refused text leaves Text() at the
    // previous one, which the dialog puts back before showing the message.
    // An empty message: accepted.
    MessageRef EnterText(const std::string& typed);

    // A radio button of the base was clicked: a non-empty text is rewritten
    // in the new base ("1ffe" becomes "8190" and back).
    void ChangeBase(PidBase newBase);

    // OK: an empty message when the dialog may close, else the message to
    // show while the dialog stays open.
    MessageRef ConfirmOk() const;

    // The PID number of the text: decimal as atoi reads it, hexadecimal as
    // StrToIntEx reads "0x" + text (see NumberText.h); 0 when unreadable.
    int PidValue() const;
    static constexpr int PidType() { return kNewPidType; }

    const std::string& Text() const { return text; }
    PidBase Base() const { return base; }

private:
    MessageRef CheckText(const std::string& candidate) const;

    std::string text;
    PidBase base = PidBase::Hexadecimal;
};

// The value of a PID text in the given base, as PidInfoRules::PidValue.
int PidTextValue(const std::string& text, PidBase base);
