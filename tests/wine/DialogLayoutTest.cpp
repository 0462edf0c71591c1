// Layout of the dialog templates as the system lays them out with the
// dialogs' own font: visible controls stay inside the dialog, do not overlap,
// sit wholly inside or wholly outside each group box and show their whole
// text in English and in every shipped language; the main dialog's tab
// control has room for a page.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/win/DialogLanguage.h"
#include "tests/wine/DialogTemplateTable.h"
#include "tests/wine/ResourceTestSupport.h"

using namespace resource_test;

namespace {

struct PlacedControl {
    int id;
    ControlKind kind;
    std::wstring text;
    RECT rect;
};

std::string Describe(const PlacedControl& control)
{
    const RECT& r = control.rect;
    return std::to_string(control.id) + " (" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::vector<PlacedControl> VisibleControls(HWND dialog, const ExpectedDialog& expected)
{
    std::vector<PlacedControl> placed;
    for (const ExpectedControl& control : expected.controls) {
        HWND window = GetDlgItem(dialog, control.id);
        if (window == nullptr || (StyleOf(window) & WS_VISIBLE) == 0)
            continue;
        placed.push_back({control.id, control.kind, WindowTextWide(window), RectInParent(window)});
    }
    return placed;
}

std::string Utf8(const std::wstring& text)
{
    char bytes[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof(bytes) - 1, nullptr, nullptr);
    return bytes;
}

bool Intersect(const RECT& a, const RECT& b)
{
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

// Room a control needs around its text, in pixels, beyond the text itself.
int TextAllowance(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultButton: return 8;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: return GetSystemMetrics(SM_CXMENUCHECK) + 4;
    case ControlKind::GroupBox: return 16;
    default: return 0;
    }
}

bool ShowsText(ControlKind kind)
{
    return kind == ControlKind::Text || kind == ControlKind::PushButton || kind == ControlKind::DefaultButton ||
           kind == ControlKind::CheckBox || kind == ControlKind::RadioButton || kind == ControlKind::GroupBox;
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

void CheckInsideClient(const std::vector<PlacedControl>& controls, const RECT& client)
{
    for (const PlacedControl& c : controls) {
        EXPECT_TRUE(c.rect.left >= 0 && c.rect.top >= 0 && c.rect.right <= client.right &&
                    c.rect.bottom <= client.bottom)
            << Describe(c) << " leaves the dialog";
    }
}

void CheckNoOverlap(const std::vector<PlacedControl>& controls)
{
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            if (controls[i].kind == ControlKind::GroupBox || controls[j].kind == ControlKind::GroupBox)
                continue;
            EXPECT_FALSE(Intersect(controls[i].rect, controls[j].rect))
                << Describe(controls[i]) << " overlaps " << Describe(controls[j]);
        }
    }
}

// A control touching a group box lies inside its frame and below its caption
// (or is a larger group box around it).
void CheckGroupsEnclose(const std::vector<PlacedControl>& controls, int captionHeight)
{
    for (const PlacedControl& group : controls) {
        if (group.kind != ControlKind::GroupBox)
            continue;
        const RECT& g = group.rect;
        for (const PlacedControl& c : controls) {
            if (c.id == group.id || !Intersect(g, c.rect))
                continue;
            const RECT& r = c.rect;
            const bool enclosesGroup = c.kind == ControlKind::GroupBox && r.left <= g.left && r.right >= g.right &&
                                       r.top <= g.top && r.bottom >= g.bottom;
            if (enclosesGroup)
                continue;
            EXPECT_TRUE(r.left > g.left && r.right < g.right && r.top >= g.top + captionHeight && r.bottom < g.bottom)
                << Describe(c) << " straddles group " << Describe(group);
        }
    }
}

void CheckTextsFit(const std::vector<PlacedControl>& controls, const TextMeter& meter)
{
    for (const PlacedControl& c : controls) {
        if (!ShowsText(c.kind) || c.text.empty())
            continue;
        SIZE text = meter.Measure(c.text);
        const int width = c.rect.right - c.rect.left;
        const int height = c.rect.bottom - c.rect.top;
        EXPECT_LE(text.cx + TextAllowance(c.kind), width) << Describe(c) << " clips \"" << Utf8(c.text) << "\"";
        EXPECT_LE(text.cy, height) << Describe(c) << " clips \"" << Utf8(c.text) << "\" vertically";
    }
}

}  // namespace

TEST(DialogTemplatesLayout, VisibleControlsFitWithoutOverlapOrClipping)
{
    ASSERT_NE(ProgramModule(), nullptr);
    for (const ExpectedDialog& expected : ExpectedDialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        TemplateDialog dialog(expected.id, expected.page);
        ASSERT_NE(dialog.Handle(), nullptr);
        RECT client{};
        GetClientRect(dialog.Handle(), &client);
        std::vector<PlacedControl> controls = VisibleControls(dialog.Handle(), expected);
        TextMeter meter(dialog.Handle());
        CheckInsideClient(controls, client);
        CheckNoOverlap(controls);
        CheckGroupsEnclose(controls, meter.Measure(L"Ag").cy);
        CheckTextsFit(controls, meter);
    }
}

TEST(DialogTemplatesLayout, EveryShippedLanguageFitsItsControls)
{
    ASSERT_NE(ProgramModule(), nullptr);
    for (const char* language : {"English", "German", "French", "Spanish", "Simplified Chinese"}) {
        const std::string file = SourceFile((std::string("resources/Language/") + language + ".txt").c_str());
        ASSERT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
        for (const ExpectedDialog& expected : ExpectedDialogs()) {
            SCOPED_TRACE(std::string(language) + ", dialog " + std::to_string(expected.id));
            TemplateDialog dialog(expected.id, expected.page);
            ASSERT_NE(dialog.Handle(), nullptr);
            const DialogLanguageKeys keys = expected.id == 102 ? MainDialogLanguageKeys(0) : CaptionDialogLanguageKeys("");
            ASSERT_TRUE(ApplyDialogLanguage(dialog.Handle(), file, keys));
            CheckTextsFit(VisibleControls(dialog.Handle(), expected), TextMeter(dialog.Handle()));
        }
    }
}

// The tab control places a page below tab 0 and one pixel inside the frame
// (left = tab 0's left, width = client right - that left - 1, height = client
// bottom - tab 0's bottom - 2); the tallest page is 330 x 176 dialog units.
TEST(DialogTemplatesLayout, MainTabControlHoldsTheLargestPage)
{
    ASSERT_NE(ProgramModule(), nullptr);
    TemplateDialog dialog(102, false);
    ASSERT_NE(dialog.Handle(), nullptr);
    HWND tab = dialog.Item(1007);
    ASSERT_NE(tab, nullptr);
    char caption[] = "Terrestrial Setting";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    ASSERT_EQ(0, SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    RECT firstTab{};
    ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&firstTab)));
    RECT client{};
    GetClientRect(tab, &client);
    RECT page = DialogUnitsToPixels(dialog.Handle(), 0, 0, 330, 176);
    EXPECT_GE(client.right - firstTab.left - 1, page.right);
    EXPECT_GE(client.bottom - firstTab.bottom - 2, page.bottom);
}
