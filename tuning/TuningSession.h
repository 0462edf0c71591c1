// What the tuning pages need from the receiver session that hosts them: the
// shared lock state their lock sequences work with, the card and its driver,
// and the follow-ups of their edits.
#pragma once

#include "common/RuleResult.h"
#include "tuning/LockHost.h"

class ReceiverDriver;

class TuningSession : public LockHost {
public:
    virtual bool IsLocked() const = 0;
    virtual int GetDeviceKind() const = 0;
    virtual ReceiverDriver& Driver() = 0;
    // Always enables Apply; a non-zero flag also marks the settings changed.
    virtual void MarkSettingsChanged(int setFlag) = 0;
    // What a rule asks after a satellite, transponder or channel edit.
    virtual void ApplyEffects(const MainDialogEffects& effects) = 0;
    // An import added satellites or channels behind the satellite list's back.
    virtual void ShowAddedSatellites() = 0;
};
