#include "tuning/TransponderNames.h"

#include "common/FieldText.h"

#include <cstdio>
#include <string>

namespace {

// "%u%s/" followed by the given symbol rate text.
std::string StandardName(const TransponderRecord& transponder, std::string_view symbolRateText)
{
    char head[32];
    std::snprintf(head, sizeof head, "%u%s/", static_cast<std::uint32_t>(transponder.frequency),
                  PolarityLetter(transponder.polarity));
    return std::string(head).append(symbolRateText);
}

std::string SymbolRateText(const TransponderRecord& transponder)
{
    return std::to_string(static_cast<std::uint32_t>(transponder.symbolRate));
}

}   // namespace

const char* PolarityLetter(std::int32_t polarity) { return polarity == 0 ? "V" : "H"; }

void NameTransponder(TransponderRecord& transponder)
{
    SetFieldText(transponder.name, StandardName(transponder, SymbolRateText(transponder)));
}

void RenameForSymbolRate(TransponderRecord& transponder, std::string_view typedSymbolRate)
{
    const std::string_view name = FieldText(transponder.name);
    const std::size_t slash = name.find('/');
    if (slash == std::string_view::npos || slash == 0) {
        SetFieldText(transponder.name, StandardName(transponder, typedSymbolRate));
        return;
    }
    SetFieldText(transponder.name, std::string(name.substr(0, slash + 1)).append(typedSymbolRate));
}

void RenameForPolarity(TransponderRecord& transponder)
{
    const std::string_view name = FieldText(transponder.name);
    const std::size_t slash = name.find('/');
    if (slash == std::string_view::npos || slash == 0) {
        NameTransponder(transponder);
        return;
    }
    std::string renamed(name.substr(0, slash - 1));
    renamed += PolarityLetter(transponder.polarity);
    renamed += name.substr(slash);
    SetFieldText(transponder.name, renamed);
}
