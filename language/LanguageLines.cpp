#include "language/LanguageLines.h"

#include <algorithm>

namespace {

// Finds line ends with one memchr scan per kind of line end, each result kept
// until the search passes it: text with only LF or only CR ends is still
// read once, not once per line.
class LineEndFinder {
public:
    explicit LineEndFinder(std::string_view text) : text(text), cr(text.find('\r')), lf(text.find('\n')) {}

    // The first line end at or after `from`, or npos.
    std::size_t Next(std::size_t from)
    {
        if (cr < from)
            cr = text.find('\r', from);
        if (lf < from)
            lf = text.find('\n', from);
        return std::min(cr, lf);
    }

private:
    std::string_view text;
    std::size_t cr;
    std::size_t lf;
};

bool Deliver(std::string_view content, const LanguageLineHandler& line)
{
    content = content.substr(0, content.find('\0'));
    const std::size_t equals = content.find('=');
    return equals == std::string_view::npos || line(content.substr(0, equals), content.substr(equals + 1));
}

}   // namespace

// CR LF needs no pairing: the LF ends an empty line, which holds no "=" and
// so reaches no caller. That also holds when the two fall in different pieces.
bool LanguageLineSplitter::Feed(std::string_view piece, const LanguageLineHandler& line)
{
    LineEndFinder lineEnds(piece);
    for (std::size_t start = 0;;) {
        const std::size_t end = lineEnds.Next(start);
        if (end == std::string_view::npos) {
            KeepUnfinished(piece.substr(start));
            return true;
        }
        if (!EndLine(piece.substr(start, end - start), line))
            return false;
        start = end + 1;
    }
}

bool LanguageLineSplitter::Finish(const LanguageLineHandler& line) { return EndLine(std::string_view(), line); }

bool LanguageLineSplitter::EndLine(std::string_view tail, const LanguageLineHandler& line)
{
    if (unfinished.empty() && !unfinishedCut)
        return Deliver(tail, line);
    KeepUnfinished(tail);
    const bool goOn = Deliver(unfinished, line);
    unfinished.clear();
    unfinishedCut = false;
    return goOn;
}

void LanguageLineSplitter::KeepUnfinished(std::string_view part)
{
    if (unfinishedCut)
        return;
    const std::size_t zero = part.find('\0');
    if (zero != std::string_view::npos) {
        part = part.substr(0, zero);
        unfinishedCut = true;
    }
    unfinished.append(part);
}
