#include "language/win/SystemAnsiCase.h"

#include <gtest/gtest.h>

namespace {

// Pairs where a fold of ASCII and Latin-1 answers wrongly: it takes the
// second bytes of the two Chinese characters for letters of one case pair,
// and misses the Cyrillic letters outside its range.
TEST(SystemAnsiCase, NamesCompareAsTheirCodePageReadsThem)
{
    struct Pair {
        unsigned codePage;
        const char* a;
        const char* b;
        bool same;
    };
    const Pair pairs[] = {
        {936, "\xD6\xD0 1", "\xD6\xF0 1", false},   // two characters
        {936, "Sat \xD6\xD0", "SAT \xD6\xD0", true},
        {1251, "\xF7\xE0\xE9\xEA\xE0", "\xD7\xC0\xC9\xCA\xC0", true},   // the same word in two cases
        {1251, "\xDF\xEC\xE0\xEB", "\xFF\xEC\xE0\xEB", true},
        {1251, "\xF7\xE0\xE9\xEA\xE0", "\xF7\xE0\xE9\xEA\xE8", false},
    };
    for (const Pair& pair : pairs)
        EXPECT_EQ(AnsiEqualNoCaseInCodePage(pair.codePage, pair.a, pair.b), pair.same)
            << pair.codePage << ": " << pair.a << " / " << pair.b;
}

}   // namespace
