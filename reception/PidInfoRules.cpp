#include "reception/PidInfoRules.h"

#include "common/DecimalText.h"
#include "reception/FormatText.h"
#include "reception/NumberText.h"

using namespace reception;

int PidTextValue(const std::string& text, PidBase base)
{
    if (base == PidBase::Decimal)
        return ReadLeadingNumber(text);
    return static_cast<int>(ReadHexAfterPrefix(text).value_or(0));
}

MessageRef PidInfoRules::EnterText(const std::string& typed)
{
    if (typed.empty()) {
        text.clear();
        return {};
    }
    const MessageRef refusal = CheckText(typed);
    if (refusal.IsEmpty())
        text = typed;
    return refusal;
}

MessageRef PidInfoRules::CheckText(const std::string& candidate) const
{
    if (candidate.size() > kMaxTextLength)
        return ReceptionMessages::kPidTextTooLong;
    // While typing, small values must pass: "2" is on its way to "21".
    if (base == PidBase::Hexadecimal) {
        if (!AllHexDigits(candidate) || PidTextValue(candidate, base) > kMaxDataPid)
            return ReceptionMessages::kPidOutOfHexRange;
    } else if (!AllDecimalDigits(candidate) || PidTextValue(candidate, base) > kMaxDataPid) {
        return ReceptionMessages::kPidOutOfDecimalRange;
    }
    return {};
}

void PidInfoRules::ChangeBase(PidBase newBase)
{
    const PidBase oldBase = base;
    base = newBase;
    if (text.empty() || oldBase == newBase)
        return;
    const int value = PidTextValue(text, oldBase);
    text = newBase == PidBase::Decimal ? FormatText("%d", value) : FormatText("%x", static_cast<unsigned>(value));
}

MessageRef PidInfoRules::ConfirmOk() const
{
    if (text.empty())
        return ReceptionMessages::kPidTextEmpty;
    const int value = PidValue();
    if (value < kMinDataPid || value > kMaxDataPid)
        return ReceptionMessages::kPidOutOfRange;
    return {};
}

int PidInfoRules::PidValue() const { return PidTextValue(text, base); }
