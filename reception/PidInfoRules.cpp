#include "reception/PidInfoRules.h"

#include "reception/FormatText.h"
#include "reception/NumberText.h"

int PidTextValue(const std::string& text, PidBase base)
{
    if (base == PidBase::Decimal)
        return ReadDecimal(text);
    return static_cast<int>(ReadHexAfterPrefix(text).value_or(0));
}

std::optional<MessageText> PidInfoRules::EnterText(const std::string& typed)
{
    if (typed.empty()) {
        text.clear();
        return std::nullopt;
    }
    if (auto refusal = CheckText(typed))
        return refusal;
    text = typed;
    return std::nullopt;
}

std::optional<MessageText> PidInfoRules::CheckText(const std::string& candidate) const
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
    return std::nullopt;
}

void PidInfoRules::ChangeBase(PidBase newBase)
{
    const PidBase oldBase = base;
    base = newBase;
    if (text.empty() || oldBase == newBase)
        return;
    const int value = PidTextValue(text, oldBase);
    text = newBase == PidBase::Decimal ? FormatText("%d", value)
                                       : FormatText("%x", static_cast<unsigned>(value));
}

std::optional<MessageText> PidInfoRules::ConfirmOk() const
{
    if (text.empty())
        return ReceptionMessages::kPidTextEmpty;
    const int value = PidValue();
    if (value < kMinDataPid || value > kMaxDataPid)
        return ReceptionMessages::kPidOutOfRange;
    return std::nullopt;
}

int PidInfoRules::PidValue() const
{
    return PidTextValue(text, base);
}
