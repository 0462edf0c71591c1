// The names of satellite transponders: "%u%s/%u" from the frequency, "V" or
// "H" and the symbol rate (12380H/27500). The name is what the saved selection
// matches on; two transponders are told apart by their values, not by name.
// Every name is cut to the 31 characters its field can hold.
//
// A name with nothing before its "/", or without one, only comes from a file
// written elsewhere. The edits cannot find their parts in it, so they give
// such a transponder a whole new standard name from its stored frequency and
// polarity and its new symbol rate. A rename never touches the record's values.
#pragma once

#include "database/ChannelRecords.h"

#include <cstdint>
#include <string_view>

const char* PolarityLetter(std::int32_t polarity);   // "V" for 0, else "H"

// Names the transponder from its own frequency, polarity and symbol rate.
void NameTransponder(TransponderRecord& transponder);

// After a symbol rate edit: the old name up to and including its "/", then
// the symbol rate exactly as typed (a typed "02750" stays "02750").
void RenameForSymbolRate(TransponderRecord& transponder, std::string_view typedSymbolRate);

// After a polarity edit, with the new polarity already stored: the letter
// before the "/" becomes "V" or "H" (12380V/27500 becomes 12380H/27500).
void RenameForPolarity(TransponderRecord& transponder);
