// Toolbars and rebars. A toolbar's background is the face's, and its
// buttons' hot and pressed backgrounds and text colour are given through the
// control's own custom draw, answered by the skinned parent, so the host's
// images and texts stay the control's. A rebar draws its bands in the face's
// colours through its own colour messages.
#include "controls.h"

#include <commctrl.h>

static const ColourMessage RebarColours[] = {
    {RB_GETBKCOLOR, RB_SETBKCOLOR, 0, false, &Face::barBackground, COLOR_BTNFACE, CLR_NONE},
    {RB_GETTEXTCOLOR, RB_SETTEXTCOLOR, 0, false, &Face::barText, COLOR_BTNTEXT, CLR_NONE},
};
static const ColourMessages RebarColourTable = {RebarColours, ARRAYSIZE(RebarColours)};

// A transparent toolbar shows its parent (a rebar's band, a dialog's
// background), as the control itself arranges.
// The face's bar background over the whole client area.
static LRESULT FillBarBackground(SkinnedWindow *rec, HDC dc)
{
    RECT client;
    GetClientRect(rec->hwnd, &client);
    HBRUSH background = CreateSolidBrush(CurrentFace()->barBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);
    return 1;
}

static LRESULT ToolbarEraseBackground(SkinnedWindow *rec, HDC dc, WPARAM wParam, LPARAM lParam)
{
    if (GetWindowLongW(rec->hwnd, GWL_STYLE) & TBSTYLE_TRANSPARENT)
        return ForwardMessage(rec, WM_ERASEBKGND, wParam, lParam);
    return FillBarBackground(rec, dc);
}

// The toolbar's extraState block: where its notifications go while it
// paints, null otherwise.
struct ToolbarPainting {
    HWND notifyTarget;
};

// The control asks its notify window (its parent, unless the host chose
// another) for custom draw, and that window may not be skinned: a main
// window is not. For the length of a paint the toolbar is its own notify
// window, so that each question passes through here on its way to the host's
// window and is answered in the face when the host leaves it unanswered.
static LRESULT ToolbarPaint(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto *painting = static_cast<ToolbarPainting *>(rec->extraState);
    const HWND hwnd = rec->hwnd;
    HoldRecord(rec);
    const HWND target = reinterpret_cast<HWND>(ForwardMessage(rec, TB_SETPARENT, reinterpret_cast<WPARAM>(hwnd), 0));
    painting->notifyTarget = target;
    const LRESULT result = ForwardMessage(rec, msg, wParam, lParam);
    painting->notifyTarget = nullptr;
    SendMessageW(hwnd, TB_SETPARENT, reinterpret_cast<WPARAM>(target), 0);
    LetGoRecord(rec);
    return result;
}

static LRESULT ToolbarOwnNotify(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const HWND target = static_cast<const ToolbarPainting *>(rec->extraState)->notifyTarget;
    const auto *header = reinterpret_cast<const NMHDR *>(lParam);
    if (target == nullptr || header == nullptr || header->hwndFrom != rec->hwnd)
        return ForwardMessage(rec, WM_NOTIFY, wParam, lParam);
    const HWND hwnd = rec->hwnd;
    const LRESULT hostResult = SendMessageW(target, WM_NOTIFY, wParam, lParam);
    if (header->code != NM_CUSTOMDRAW || hostResult != 0)
        return hostResult;
    return AnswerForChild(hwnd, WM_NOTIFY, wParam, lParam, hostResult);
}

// The divider the control etches along its top edge (without
// CCS_NODIVIDER), in the face's edge colour unless that follows the system's.
static void PaintToolbarDivider(SkinnedWindow *, HDC dc, const RECT &window, int)
{
    const RECT divider = {window.left, window.top, window.right, window.top + 2};
    HBRUSH brush = CreateSolidBrush(CurrentFace()->listEdge);
    FillRect(dc, &divider, brush);
    DeleteObject(brush);
}

static LRESULT ToolbarFramePaint(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_NCPAINT, wParam, lParam);
    const Face &face = *CurrentFace();
    if ((GetWindowLongW(rec->hwnd, GWL_STYLE) & CCS_NODIVIDER) == 0 && !FollowsSystem(face, face.listEdge))
        RepaintWithNow(rec, PaintToolbarDivider, 0);
    return result;
}

static LRESULT HandleToolbarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCPAINT:
        return ToolbarFramePaint(rec, wParam, lParam);
    case WM_ERASEBKGND:
        return ToolbarEraseBackground(rec, reinterpret_cast<HDC>(wParam), wParam, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return ToolbarPaint(rec, msg, wParam, lParam);
    case WM_NOTIFY:
        return ToolbarOwnNotify(rec, wParam, lParam);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

// Each button is asked for; a hot, pressed or checked one gets the face's
// background here, and the control draws its image and text over it,
// without its own edges and background.
// A resting button of a flat or transparent toolbar stands on its parent's
// background, a dialog's or a main window's, and its text is a label's
// there; in a rebar it stands on the bar's background.
static bool StandsOnParentBackground(HWND toolbar)
{
    wchar_t parentClass[32];
    return (GetWindowLongW(toolbar, GWL_STYLE) & (TBSTYLE_FLAT | TBSTYLE_TRANSPARENT)) != 0 &&
           GetClassNameW(GetParent(toolbar), parentClass, ARRAYSIZE(parentClass)) != 0 &&
           lstrcmpiW(parentClass, REBARCLASSNAMEW) != 0;
}

static LRESULT AnswerButtonDraw(NMTBCUSTOMDRAW *draw)
{
    const Face &face = *CurrentFace();
    draw->clrText = face.barText;
    const UINT state = draw->nmcd.uItemState;
    if ((state & (CDIS_SELECTED | CDIS_CHECKED | CDIS_HOT)) == 0) {
        if (StandsOnParentBackground(draw->nmcd.hdr.hwndFrom))
            draw->clrText = face.labelText;
        return CDRF_DODEFAULT;
    }
    const bool pressed = (state & (CDIS_SELECTED | CDIS_CHECKED)) != 0;
    // Wine's toolbar fills in the button's rectangle only after asking.
    RECT button = draw->nmcd.rc;
    if (IsRectEmpty(&button)) {
        const LRESULT index = SendMessageW(draw->nmcd.hdr.hwndFrom, TB_COMMANDTOINDEX, draw->nmcd.dwItemSpec, 0);
        SendMessageW(draw->nmcd.hdr.hwndFrom, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button));
    }
    HBRUSH fill = CreateSolidBrush(pressed ? face.toolbarButtonPressed : face.toolbarButtonHot);
    FillRect(draw->nmcd.hdc, &button, fill);
    DeleteObject(fill);
    return TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND;
}

static LRESULT AnswerToolbarParent(SkinnedWindow *, UINT msg, WPARAM, LPARAM lParam, LRESULT hostResult)
{
    auto *draw = reinterpret_cast<NMTBCUSTOMDRAW *>(lParam);
    if (msg != WM_NOTIFY || draw->nmcd.hdr.code != NM_CUSTOMDRAW)
        return hostResult;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return AnswerButtonDraw(draw);
    default:
        return hostResult;
    }
}

static void SetUpRebar(SkinnedWindow *rec, LONG)
{
    if (!rec->setUpPending)
        SetUpColourMessages(rec, RebarColourTable);
}

static void TearDownRebar(SkinnedWindow *rec)
{
    TearDownColourMessages(rec, RebarColourTable);
}


static LRESULT HandleRebarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return CreateThenSetUp(rec, wParam, lParam);
    // Wine's rebar draws its bands over a background of its own, whatever
    // their colours; the face's goes beneath them.
    if (msg == WM_ERASEBKGND)
        return FillBarBackground(rec, reinterpret_cast<HDC>(wParam));
    if (msg == WM_PAINT)
        FollowFaceColours(rec, RebarColourTable);
    return ForwardMessage(rec, msg, wParam, lParam);
}

const SkinClass ToolbarClass = {TOOLBARCLASSNAMEW, nullptr, CK_TOOLBAR, HandleToolbarMessage, nullptr,
                                sizeof(ToolbarPainting), nullptr, nullptr, AnswerToolbarParent, PAINTS_BY_HANDLER, 0,
                                nullptr, nullptr};
const SkinClass RebarClass = {REBARCLASSNAMEW, nullptr, CK_REBAR, HandleRebarMessage, SetUpRebar, sizeof(ColourBlock),
                              nullptr, TearDownRebar, nullptr, PAINTS_BY_HANDLER, 0, nullptr, nullptr};
