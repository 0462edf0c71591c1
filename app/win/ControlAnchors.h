// Controls that keep their distances to the edges of a resizable dialog.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

class CControlAnchors {
public:
    // The control edges that move with the dialog's right or bottom edge;
    // the others stay where the template put them.
    enum Edge : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };
    struct Anchor {
        int id;
        unsigned edges;
    };

    // Takes the controls' places and the client size as they are now.
    void Capture(HWND dialog, std::initializer_list<Anchor> controls);
    void Layout(HWND dialog) const;

private:
    struct Placed {
        int id;
        unsigned edges;
        RECT initial;
    };
    std::vector<Placed> placed;
    SIZE initialClient{};
};
