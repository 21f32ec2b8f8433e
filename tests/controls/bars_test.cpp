// The bars, headers, tooltips and list colours in a face of distinct colours:
// each row is a kind of the shared list and the pixels that tell the face,
// skinned alone, after thread-wide switch-on and when made later; released,
// the control shows its own pixels again, and the GDI calls balance.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/skin.h"
#include "support/gdi_ledger.h"
#include "support/kinds.h"
#include "support/records.h"
#include "velk.h"
#include "support/window_pixels.h"

namespace {

const Face Distinct = [] {
    Face face = BuiltInFace;
    face.listBackground = RGB(10, 200, 10);
    face.listText = RGB(200, 10, 10);
    face.trackbarTick = RGB(250, 0, 250);
    face.trackbarSelection = RGB(0, 250, 250);
    face.barBackground = RGB(30, 30, 90);
    face.barText = RGB(250, 250, 0);
    face.barDivider = RGB(250, 120, 0);
    face.headerHot = RGB(120, 0, 250);
    face.headerPressed = RGB(0, 120, 60);
    face.headerSortArrow = RGB(250, 0, 120);
    face.toolbarButtonHot = RGB(90, 60, 30);
    face.toolbarButtonPressed = RGB(30, 90, 60);
    face.statusGrip = RGB(0, 200, 120);
    face.tooltipBackground = RGB(60, 30, 90);
    face.tooltipText = RGB(210, 250, 10);
    face.tooltipBorder = RGB(250, 60, 60);
    face.readOnlyBackground = RGB(70, 70, 20);
    return face;
}();

// A place (window coordinates) that must show a face colour; none: anywhere.
struct Telling {
    const char *what;
    std::function<POINT(HWND)> at;
    COLORREF Face::*colour;
};

struct BarCase {
    const char *kind;
    DWORD addedStyle;
    std::vector<Telling> pixels;
    std::function<void(HWND)> prepare;
};

RECT Reported(HWND control, UINT msg, WPARAM index)
{
    RECT rect = {};
    SendMessageA(control, msg, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int TickAt(HWND control, int index)
{
    return static_cast<int>(SendMessageA(control, TBM_GETTICPOS, index, 0));
}

// The pointer over a header item, which the control hears of as a move.
void PointAtItem(HWND header, int index)
{
    const RECT item = Reported(header, HDM_GETITEMRECT, index);
    POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    SendMessageA(header, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    ClientToScreen(header, &centre);
    SetCursorPos(centre.x, centre.y);
}

POINT ItemCorner(HWND control, UINT msg, int index)
{
    const RECT rect = Reported(control, msg, index);
    return {rect.left + 2, rect.top + 2};
}

const auto Anywhere = nullptr;

// A notify window that answers no custom draw, as a host's main window does.
void NotifyElsewhere(HWND toolbar)
{
    static const HWND elsewhere = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 4, 4, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(toolbar, TB_SETPARENT, reinterpret_cast<WPARAM>(elsewhere), 0);
}

const BarCase Cases[] = {
    {"trackbar", 0,
     {{"selection", [](HWND c) { return POINT{TickAt(c, 2), (Reported(c, TBM_GETCHANNELRECT, 0).top + 2)}; },
       &Face::trackbarSelection},
      {"tick below", [](HWND c) { return POINT{TickAt(c, 0), Reported(c, TBM_GETTHUMBRECT, 0).bottom + 2}; },
       &Face::trackbarTick}}},
    // The thumb stands on the first tick between the ends, which is level
    // with its middle.
    {"vertical trackbar", 0,
     {{"tick on the left",
       [](HWND c) {
           const RECT thumb = Reported(c, TBM_GETTHUMBRECT, 0);
           return POINT{thumb.left - 3, (thumb.top + thumb.bottom) / 2};
       },
       &Face::trackbarTick}},
     [](HWND c) { SendMessageA(c, TBM_SETPOS, TRUE, 10); }},
    {"status bar", 0,
     {{"background", [](HWND c) { return ItemCorner(c, SB_GETRECT, 1); }, &Face::barBackground},
      {"divider", [](HWND c) { return POINT{Reported(c, SB_GETRECT, 0).right - 1, 8}; }, &Face::barDivider},
      {"text", Anywhere, &Face::barText}}},
    {"header", 0,
     {{"item", [](HWND c) { return ItemCorner(c, HDM_GETITEMRECT, 1); }, &Face::barBackground},
      {"divider", [](HWND c) { return POINT{Reported(c, HDM_GETITEMRECT, 0).right - 1, 8}; }, &Face::barDivider},
      {"sort arrow", Anywhere, &Face::headerSortArrow},
      {"text", Anywhere, &Face::barText}}},
    {"header", 0, {{"hot item", [](HWND c) { return ItemCorner(c, HDM_GETITEMRECT, 2); }, &Face::headerHot}},
     [](HWND c) { PointAtItem(c, 2); }},
    {"header", 0, {{"pressed item", [](HWND c) { return ItemCorner(c, HDM_GETITEMRECT, 2); }, &Face::headerPressed}},
     [](HWND c) {
         PointAtItem(c, 2);
         const RECT item = Reported(c, HDM_GETITEMRECT, 2);
         SendMessageA(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 5));
     }},
    {"tooltip", 0,
     {{"border", [](HWND) { return POINT{0, 0}; }, &Face::tooltipBorder},
      {"background", [](HWND) { return POINT{2, 2}; }, &Face::tooltipBackground},
      {"text", Anywhere, &Face::tooltipText}}},
    {"balloon tooltip", 0, {{"border", Anywhere, &Face::tooltipBorder}, {"text", Anywhere, &Face::tooltipText}}},
    {"toolbar", 0,
     {{"checked button", [](HWND c) { return ItemCorner(c, TB_GETITEMRECT, 1); }, &Face::toolbarButtonPressed},
      {"hot button", [](HWND c) { return ItemCorner(c, TB_GETITEMRECT, 2); }, &Face::toolbarButtonHot},
      {"text", Anywhere, &Face::barText}},
     [](HWND c) { SendMessageA(c, TB_SETHOTITEM, 2, 0); }},
    {"toolbar", 0,
     {{"checked, notified elsewhere", [](HWND c) { return ItemCorner(c, TB_GETITEMRECT, 1); }, &Face::toolbarButtonPressed},
      {"hot, notified elsewhere", [](HWND c) { return ItemCorner(c, TB_GETITEMRECT, 2); }, &Face::toolbarButtonHot}},
     [](HWND c) {
         NotifyElsewhere(c);
         SendMessageA(c, TB_SETHOTITEM, 2, 0);
     }},
    {"toolbar", 0, {{"pressed, notified elsewhere", [](HWND c) { return ItemCorner(c, TB_GETITEMRECT, 0); }, &Face::toolbarButtonPressed}},
     [](HWND c) {
         NotifyElsewhere(c);
         SendMessageA(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
     }},
    // The grip's corner dot, and the last part's long text kept out of it.
    {"status bar", 0,
     {{"grip dot", [](HWND c) { RECT r; GetClientRect(c, &r); return POINT{r.right - 3, r.bottom - 3}; }, &Face::statusGrip},
      {"beside the grip's dots", [](HWND c) { RECT r; GetClientRect(c, &r); return POINT{r.right - 5, r.bottom - 11}; }, &Face::barBackground}},
     [](HWND c) { SendMessageA(c, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW")); }},
    {"rebar", 0, {{"band", [](HWND c) { return POINT{Reported(c, RB_GETRECT, 0).right - 4, 4}; }, &Face::barBackground}}},
    {"tree view", 0, {{"background", [](HWND) { return POINT{150, 90}; }, &Face::listBackground}, {"text", Anywhere, &Face::listText}}},
    {"list view", 0,
     {{"background", [](HWND) { return POINT{190, 110}; }, &Face::listBackground},
      {"text", Anywhere, &Face::listText},
      {"its header", Anywhere, &Face::barText}}},
    {"month calendar", 0, {{"background", Anywhere, &Face::listBackground}, {"text", Anywhere, &Face::listText}}},
    {"list box", 0, {{"background", [](HWND) { return POINT{100, 30}; }, &Face::listBackground}, {"text", Anywhere, &Face::listText}}},
    {"edit", 0, {{"background", [](HWND) { return POINT{150, 10}; }, &Face::listBackground}}},
    {"edit", ES_READONLY, {{"read-only background", [](HWND) { return POINT{150, 10}; }, &Face::readOnlyBackground}}},
};

BOOL CALLBACK AttachChild(HWND child, LPARAM attach)
{
    if (attach)
        AttachWindow(child);
    else
        DetachWindow(child);
    return TRUE;
}

void PrintTo(const BarCase &c, std::ostream *out)
{
    *out << c.kind;
}

class BarsTest : public InDialogTest, public testing::WithParamInterface<BarCase> {
protected:
    void SetUp() override
    {
        InDialogTest::SetUp();
        currentFace = &Distinct;
    }
    void TearDown() override
    {
        ReleaseCapture();
        currentFace = &BuiltInFace;
        InDialogTest::TearDown();
    }

    HWND Make()
    {
        const BarCase &c = GetParam();
        HWND control = CreateKind(dialog, KindNamed(c.kind), 10, 10, 1, "", c.addedStyle);
        FillKind(control, KindNamed(c.kind));
        if (c.prepare)
            c.prepare(control);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        PumpMessages();
        return control;
    }

    // A switch leaves the dialog to repaint, and the dialog, which does not
    // clip its children, paints over them first.
    void ExpectTelling(HWND control, const char *how)
    {
        PumpMessages();
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        PumpMessages();
        const WindowPixels shot = CaptureWindow(control);
        for (const Telling &pixel : GetParam().pixels) {
            const COLORREF colour = Distinct.*pixel.colour;
            if (pixel.at) {
                const POINT at = pixel.at(control);
                EXPECT_EQ(ReadWindowPixel(control, at.x, at.y), colour) << how << ": " << pixel.what;
            } else {
                EXPECT_GT(CountColour(shot, {0, 0, shot.width, shot.height}, colour), 0) << how << ": " << pixel.what;
            }
        }
    }
};

TEST_P(BarsTest, DrawnInTheFaceAndGivenBackAtRelease)
{
    HWND control = Make();
    const WindowPixels plain = CaptureWindow(control);
    {
        GdiLedger ledger;
        ASSERT_NE(AttachWindow(dialog), nullptr);
        ASSERT_NE(AttachWindow(control), nullptr);
        // With the windows it is made of: a list view's header.
        EnumChildWindows(control, AttachChild, 1);
        ExpectTelling(control, "skinned alone");
        EnumChildWindows(control, AttachChild, 0);
        DetachWindow(control);
        DetachWindow(dialog);
        EXPECT_TRUE(ledger.Balanced()) << ledger.Report();
    }
    PumpMessages();
    // A press held since before the skin may have ended meanwhile.
    if (GetCapture() != control)
        EXPECT_TRUE(CaptureWindow(control) == plain) << "released, the control does not look as before";

    ASSERT_NE(Enskin(nullptr, 1), 0);
    EXPECT_EQ(RecordsFor(control), 1);
    ExpectTelling(control, "after thread-wide switch-on");
    DestroyWindow(control);
    HWND later = Make();
    EXPECT_EQ(RecordsFor(later), 1);
    ExpectTelling(later, "made while thread-wide skinning is on");
    Enskin(nullptr, 0);
    DestroyWindow(later);
}

// A colour the host chose is the host's, skinned and released, and the
// control's other colours stay with it: the host's background keeps the
// control's own text.
TEST_F(InDialogTest, HostColoursStayAndDefaultsComeBack)
{
    HWND list = CreateKind(dialog, KindNamed("list view"), 10, 10);
    const COLORREF hostBackground = RGB(1, 2, 3);
    SendMessageA(list, LVM_SETBKCOLOR, 0, hostBackground);
    const auto textBefore = static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0));
    ASSERT_NE(AttachWindow(list), nullptr);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), hostBackground);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)), textBefore);
    DetachWindow(list);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)), hostBackground);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)), textBefore);
}

INSTANTIATE_TEST_SUITE_P(EveryCase, BarsTest, testing::ValuesIn(Cases));

} // namespace
