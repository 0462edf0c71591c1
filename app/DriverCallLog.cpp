#include "app/DriverCallLog.h"

#include <array>

namespace {

// The calls a card may take seconds over, or never return from.
constexpr std::array<std::string_view, 3> kLongCalls = {"LockChannel3", "InitDise", "ReleaseDise"};

// Periodic calls are few (signal, statistics, one PID address read per PID);
// arguments never seen before start the memory afresh rather than grow it.
constexpr std::size_t kRememberedCalls = 64;

std::string CallText(std::string_view name, std::string_view arguments)
{
    std::string text;
    text.append(name).append("(").append(arguments).append(")");
    return text;
}

std::string AnswerLine(const std::string& call, const DriverCallRecord& record, std::uint64_t unchanged)
{
    std::string line = kDriverCallLinePrefix + call + " = " + std::to_string(record.result);
    if (!record.outputs.empty())
        line.append(" -> ").append(record.outputs);
    line.append(" in ").append(std::to_string(record.duration.count())).append(" ms");
    if (unchanged > 0) {
        line.append(" (").append(std::to_string(unchanged));
        line.append(unchanged == 1 ? " unchanged answer" : " unchanged answers").append(" not logged)");
    }
    return line;
}

}   // namespace

DriverCallLog::DriverCallLog(LineSink sink) : sink(std::move(sink)) {}

void DriverCallLog::OnDriverCallStarted(std::string_view name, const std::string& arguments, bool /*periodic*/)
{
    for (std::string_view longCall : kLongCalls) {
        if (name == longCall) {
            std::lock_guard lock(mutex);
            sink(kDriverCallLinePrefix + CallText(name, arguments) + " started");
            return;
        }
    }
}

void DriverCallLog::OnDriverCallReturned(const DriverCallRecord& record)
{
    const std::string call = CallText(record.name, record.arguments);
    std::lock_guard lock(mutex);
    if (!record.periodic) {
        sink(AnswerLine(call, record, 0));
        return;
    }
    auto last = lastAnswers.find(call);
    if (last != lastAnswers.end() && last->second.result == record.result && last->second.outputs == record.outputs) {
        ++last->second.unchangedSince;
        return;
    }
    const std::uint64_t unchanged = last != lastAnswers.end() ? last->second.unchangedSince : 0;
    if (!sink(AnswerLine(call, record, unchanged))) {
        // Not in the log: the same answer next time is news again.
        if (last != lastAnswers.end())
            lastAnswers.erase(last);
        return;
    }
    if (last == lastAnswers.end()) {
        if (lastAnswers.size() >= kRememberedCalls)
            lastAnswers.clear();
        last = lastAnswers.emplace(call, LoggedAnswer{}).first;
    }
    last->second = LoggedAnswer{record.result, record.outputs, 0};
}

void DriverCallLog::OnDriverCallRefused(std::string_view name, const std::string& arguments, std::string_view why)
{
    std::lock_guard lock(mutex);
    sink(kDriverCallLinePrefix + CallText(name, arguments) + " refused: " + std::string(why));
}
