// A group of radio buttons with consecutive identifiers exchanged as the
// index of the checked button, -1 for none (dish type, polarity).
#pragma once

#include "framework/DataExchange.h"

#include <windows.h>

void ExchangeRadioIndex(CDataExchange& dx, HWND dialog, int firstId, int lastId, int& index);
