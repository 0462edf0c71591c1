// The check of a satellite's transponders: the job that locks each of them,
// the table of what each lock gave, and the removal of those that did not
// lock, an edit like any other until Apply.
#pragma once

#include "tuning/ImportSummary.h"
#include "tuning/ScanEngine.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The satellite's transponders in list order, with its LNB and switch settings.
ScanJob SatelliteCheckJob(const SatelliteRecord& satellite);

struct CheckRow {
    TransponderRecord transponder;   // a copy of the values and name that were locked
    bool locked = false;
    std::optional<SignalLevels> signal;
    std::chrono::milliseconds lockTime{0};
};

// A row per step tried, in the order they were tried.
std::vector<CheckRow> CheckRows(const ScanJob& job, const std::vector<ScanStep>& steps);

enum class CheckColumn { Transponder, Locked, Strength, Quality, LockTime };
inline constexpr std::array<CheckColumn, 5> kCheckColumns{
    CheckColumn::Transponder, CheckColumn::Locked, CheckColumn::Strength, CheckColumn::Quality, CheckColumn::LockTime};

// Stable. Ascending: transponders by frequency, polarisation, symbol rate;
// locked ones first; numbers from the lowest, a missing reading first.
void SortCheckRows(std::vector<CheckRow>& rows, CheckColumn column, bool ascending);

std::string CheckColumnHeading(CheckColumn column, const MessageLookup& text);
// Empty for a reading the card did not give.
std::string CheckCellText(const CheckRow& row, CheckColumn column, const MessageLookup& text);
// For the clipboard: the headings, then a line per row; cells separated by
// tabs, lines ended by CR LF.
std::string CheckTableText(const std::vector<CheckRow>& rows, const MessageLookup& text);
// "3 of 5 transponders locked.", and whether the check ended before its end.
std::string CheckSummaryText(const std::vector<CheckRow>& rows, std::size_t transponders, bool cancelled,
                             const MessageLookup& text);

std::size_t UnlockedCount(const std::vector<CheckRow>& rows);

struct CheckRemoval {
    std::size_t removed = 0;
    MainDialogEffects effects;
};

// Removes from the current satellite each transponder of a row that did not
// lock (found by its values, as the list finds transponders). The current
// transponder and PID stay current unless they go with it.
CheckRemoval RemoveUnlockedTransponders(CChannelDatabase& database, const std::vector<CheckRow>& rows);
