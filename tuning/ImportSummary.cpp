#include "tuning/ImportSummary.h"

namespace {

const char* ReasonKey(RefusalReason reason)
{
    switch (reason) {
    case RefusalReason::OutOfRange: return "String57";
    case RefusalReason::NameTaken: return "String59";
    default: return "String58";
    }
}

const char* ReasonEnglish(RefusalReason reason)
{
    switch (reason) {
    case RefusalReason::OutOfRange: return "value outside the accepted range";
    case RefusalReason::NameTaken: return "name already in the list";
    default: return "unreadable or unsupported entry";
    }
}

void AppendCount(std::string& summary, const std::string& label, std::size_t count)
{
    summary += label;
    summary += ' ';
    summary += std::to_string(count);
    summary += "\r\n";
}

}   // namespace

std::string ImportSummaryText(const ImportReport& report, const MessageLookup& text)
{
    if (report.outcome == ImportOutcome::FileUnreadable)
        return text("String55", "The file cannot be read or is too large. Nothing was changed.");
    std::string summary;
    if (report.outcome == ImportOutcome::NothingUsable)
        summary = text("String54", "The file holds nothing this card can use. Nothing was changed.") + "\r\n\r\n";
    AppendCount(summary, text("String50", "Added:"), report.added);
    AppendCount(summary, text("String51", "Already in the list, skipped:"), report.alreadyThere);
    AppendCount(summary, text("String52", "Refused:"), report.refused);
    AppendCount(summary, text("String53", "Of another delivery system, skipped:"), report.otherSystem);
    const std::string line = text("String56", "Line");
    for (const RefusedLine& refused : report.shownRefusals) {
        summary += line + ' ' + std::to_string(refused.line) + ": " +
                   text(ReasonKey(refused.reason), ReasonEnglish(refused.reason)) + "\r\n";
    }
    if (report.refused > report.shownRefusals.size())
        summary += "...\r\n";
    return summary;
}
