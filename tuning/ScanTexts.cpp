#include "tuning/ScanTexts.h"

std::string FillPlaces(std::string_view text, const std::vector<std::string>& values)
{
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t place = next >= '1' && next <= '9' ? static_cast<std::size_t>(next - '1') : values.size();
        if (text[i] == '%' && place < values.size()) {
            filled += values[place];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}
