// The message box text that ends an import: what was added, skipped and
// refused, with the first refused lines by number and reason.
#pragma once

#include "tuning/TuningListImport.h"

#include <functional>
#include <string>

// The text of a message key, or its English fallback.
using MessageLookup = std::function<std::string(const char* key, const char* english)>;

std::string ImportSummaryText(const ImportReport& report, const MessageLookup& text);
