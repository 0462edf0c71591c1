// Marks the span in which a page puts values into its own controls: the
// change and focus notifications this raises are echoes, not user edits, and
// the page's handlers ignore them while the flag is set.
#pragma once

class CQuietFill {
public:
    explicit CQuietFill(bool& flag) : flag(flag), previous(flag) { flag = true; }
    ~CQuietFill() { flag = previous; }
    CQuietFill(const CQuietFill&) = delete;
    CQuietFill& operator=(const CQuietFill&) = delete;

private:
    bool& flag;
    bool previous;
};
