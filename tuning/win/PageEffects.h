// Hands what a page's rule asks of the main dialog on to it, in the order the
// pages keep: tuningChanged, the pages' refresh, then the Apply state.
#pragma once

#include "common/RuleResult.h"

class CTabPage;

void ApplyMainDialogEffects(const CTabPage& page, const MainDialogEffects& effects);
