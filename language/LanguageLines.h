// Splitting language-file text into its "key=value" lines, whether the text
// is in memory whole or arrives in pieces as a file is read. The line rules
// are those described in language/LanguageFile.h; a line may span any number
// of pieces, and a CR LF may be split between two.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Called with each line that holds "="; returns false to stop.
using LanguageLineHandler = std::function<bool(std::string_view key, std::string_view value)>;

class LanguageLineSplitter {
public:
    // Takes the next piece of the text. False once `line` asked to stop: the
    // splitter is then done and the rest of the text is not needed.
    bool Feed(std::string_view piece, const LanguageLineHandler& line);

    // Ends the text: a last line without a line end still counts. The
    // splitter is then ready for another text.
    bool Finish(const LanguageLineHandler& line);

private:
    bool EndLine(std::string_view tail, const LanguageLineHandler& line);
    void KeepUnfinished(std::string_view part);

    // The start of a line that began in an earlier piece; only a line that
    // spans pieces is copied.
    std::string unfinished;
    // The unfinished line held a zero byte, which ends its text.
    bool unfinishedCut = false;
};
