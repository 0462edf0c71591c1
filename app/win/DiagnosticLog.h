// The program's diagnostic log: the trace lines of the main dialog, the pages
// and the lock sequences, and every call into the card's driver, in
// "Lumisat.log" under %LOCALAPPDATA%\Lumisat\, while the settings value
// "TraceLog" is 1. The log lives until the process ends, since a lock worker
// left inside the driver at exit may still report; the exit waits a bounded
// time for the disk, never for a write that hangs.
#pragma once

#include "driver/DriverCallObserver.h"

#include <string>

// Hands the line to the log when it is on; safe from any thread, never waits
// for the disk. False when the log did not take it (off, or its queue full).
bool WriteDiagnosticTrace(const std::string& line);
// The label followed by the local date and time, as the start and the end of the program are marked.
void WriteDiagnosticTimestamp(const char* label);

// The driver gate's reports as lines of the log (see DriverCallLog.h); it
// lives until the process ends, as the log does.
DriverCallObserver& DiagnosticDriverCallLog();

bool IsDiagnosticLogOn();
// Switches the log and stores the choice as "TraceLog".
void SetDiagnosticLogOn(bool on);

// The log's folder, created if missing; empty when there is no local
// application data folder.
std::string DiagnosticLogFolder();
