// Layout of the dialog templates as the system lays them out with the
// dialogs' own font: visible controls stay inside the dialog, do not overlap,
// sit wholly inside or wholly outside each group box and show their whole
// text in English and in every shipped language.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/win/DialogLanguage.h"
#include "resources/resource.h"
#include "tests/wine/ResourceTestSupport.h"

using namespace resource_test;

namespace {

enum class Kind { Text, Button, CheckOrRadio, GroupBox, Other };

Kind KindOf(HWND control)
{
    const std::string name = ClassNameOf(control);
    const DWORD style = StyleOf(control);
    if (name == "Static") {
        const DWORD type = style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ? Kind::Text : Kind::Other;
    }
    if (name != "Button")
        return Kind::Other;
    switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX: return Kind::GroupBox;
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return Kind::Button;
    default: return Kind::CheckOrRadio;
    }
}

struct PlacedControl {
    int id;
    Kind kind;
    std::wstring text;
    RECT rect;
};

std::string Describe(const PlacedControl& control)
{
    const RECT& r = control.rect;
    return std::to_string(control.id) + " (" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::vector<PlacedControl> VisibleControls(HWND dialog)
{
    std::vector<PlacedControl> placed;
    for (HWND window : Children(dialog)) {
        if ((StyleOf(window) & WS_VISIBLE) != 0)
            placed.push_back({ControlId(window), KindOf(window), WindowTextWide(window), RectInParent(window)});
    }
    return placed;
}

std::string Utf8(const std::wstring& text)
{
    char bytes[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof(bytes) - 1, nullptr, nullptr);
    return bytes;
}

// Room a control needs around its text, in pixels, beyond the text itself.
int TextAllowance(Kind kind)
{
    return kind == Kind::Button         ? 8
           : kind == Kind::CheckOrRadio ? GetSystemMetrics(SM_CXMENUCHECK) + 4
           : kind == Kind::GroupBox     ? 16
                                        : 0;
}

class TextMeter {
public:
    explicit TextMeter(HWND dialog) : dialog(dialog), dc(GetDC(dialog))
    {
        old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    }
    ~TextMeter()
    {
        SelectObject(dc, old);
        ReleaseDC(dialog, dc);
    }
    SIZE Measure(const std::wstring& text) const
    {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }

private:
    HWND dialog;
    HDC dc;
    HGDIOBJ old;
};

// Visible controls stay inside the client area and do not overlap; a control
// touching a group box lies inside its frame and below its caption (or is a
// larger group box around it).
void CheckPlacement(const std::vector<PlacedControl>& controls, const RECT& client, int captionHeight)
{
    for (const PlacedControl& c : controls) {
        const RECT& r = c.rect;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << Describe(c) << " leaves the dialog";
        for (const PlacedControl& other : controls) {
            RECT both{};
            if (&other == &c || !IntersectRect(&both, &r, &other.rect))
                continue;
            const RECT& g = other.rect;
            if (c.kind != Kind::GroupBox && other.kind != Kind::GroupBox && &c < &other)
                ADD_FAILURE() << Describe(c) << " overlaps " << Describe(other);
            const bool enclosesGroup = c.kind == Kind::GroupBox && r.left <= g.left && r.right >= g.right &&
                                       r.top <= g.top && r.bottom >= g.bottom;
            if (other.kind == Kind::GroupBox && !enclosesGroup)
                EXPECT_TRUE(r.left > g.left && r.right < g.right && r.top >= g.top + captionHeight &&
                            r.bottom < g.bottom)
                    << Describe(c) << " straddles group " << Describe(other);
        }
    }
}

void CheckTextsFit(const std::vector<PlacedControl>& controls, const TextMeter& meter)
{
    for (const PlacedControl& c : controls) {
        if (c.kind == Kind::Other || c.text.empty())
            continue;
        const SIZE text = meter.Measure(c.text);
        EXPECT_LE(text.cx + TextAllowance(c.kind), c.rect.right - c.rect.left)
            << Describe(c) << " clips \"" << Utf8(c.text) << "\"";
        EXPECT_LE(text.cy, c.rect.bottom - c.rect.top) << Describe(c) << " clips \"" << Utf8(c.text) << "\" vertically";
    }
}

}   // namespace

TEST(DialogTemplatesLayout, VisibleControlsFitWithoutOverlapOrClipping)
{
    ASSERT_NE(ProgramModule(), nullptr);
    for (const auto& [name, id] : ResourceNumbers("IDD_")) {
        SCOPED_TRACE(name);
        TemplateDialog dialog(id);
        ASSERT_NE(dialog.Handle(), nullptr);
        RECT client{};
        GetClientRect(dialog.Handle(), &client);
        std::vector<PlacedControl> controls = VisibleControls(dialog.Handle());
        TextMeter meter(dialog.Handle());
        CheckPlacement(controls, client, meter.Measure(L"Ag").cy);
        CheckTextsFit(controls, meter);
    }
}

TEST(DialogTemplatesLayout, EveryShippedLanguageFitsItsControls)
{
    ASSERT_NE(ProgramModule(), nullptr);
    for (const char* language : {"English", "German", "French", "Spanish", "Simplified Chinese"}) {
        const std::string file = SourceFile(std::string("resources/Language/") + language + ".txt");
        ASSERT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
        for (const auto& [name, id] : ResourceNumbers("IDD_")) {
            SCOPED_TRACE(std::string(language) + ", " + name);
            TemplateDialog dialog(id);
            ASSERT_NE(dialog.Handle(), nullptr);
            const DialogLanguageKeys keys = id == IDD_MAIN ? MainDialogLanguageKeys(0) : CaptionDialogLanguageKeys("");
            ASSERT_TRUE(ApplyDialogLanguage(dialog.Handle(), file, keys));
            CheckTextsFit(VisibleControls(dialog.Handle()), TextMeter(dialog.Handle()));
        }
    }
}
