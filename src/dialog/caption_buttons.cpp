// The close, maximise, minimise and help buttons of a skinned caption.
#include "dialog.h"

// The face's colour group of each button state, indexed by CBST_ code; all
// three buttons share the groups.
static const int GroupOfState[3] = {
    GROUP_NORMAL,   // CBST_NORMAL
    GROUP_PRESSED,  // CBST_PRESSED
    GROUP_HOT,      // CBST_HOT
};
static const int UnofferedGroup = GROUP_UNOFFERED;

// Design sizes, drawn at the window's DPI.
static const int ButtonInset = 4;    // between the caption band's edges and a button
static const int ButtonGap = 5;      // between neighbouring buttons
static const int OutlineOutset = 2;  // the outline stands this far outside the fill
static const int OutlineCornerDiameter = 4;
static const int LineWidth = 1;      // of the outline and the glyphs

// The glyphs, as strokes in design pixels from a corner of the face. The X
// grows with the button from its top-left and bottom-right corners; the bar
// is two pixels high above the bottom-left corner, its right end from the
// bottom-right; the plus is of fixed size from the top-left corner, the same
// whether the dialog is maximised or not.
static const int CloseInset = 3;
static const int BarInset = 4;
static const int BarBottom = 5;     // the bar's top row above the face's bottom
static const int BarHeight = 2;
static const POINT PlusAcross[2] = {{2, 5}, {9, 5}};
static const POINT PlusDown[2] = {{5, 2}, {5, 9}};
// The question mark: a hook and its dot.
static const POINT QuestionHook[7] = {{3, 3}, {4, 2}, {7, 2}, {8, 3}, {8, 4}, {6, 6}, {6, 8}};
static const POINT QuestionDot[2] = {{6, 9}, {6, 11}};

// Places from the right: close, maximise, minimise. A button that is not
// drawn leaves its place empty. The help button, shown only without the
// other two, takes the maximise button's place, as the system's does.
enum ButtonSlot { SLOT_CLOSE = 0, SLOT_MAXIMIZE = 1, SLOT_MINIMIZE = 2, SLOT_HELP = SLOT_MAXIMIZE };

static int GroupForState(int state)
{
    return state >= CBST_NORMAL && state <= CBST_HOT ? GroupOfState[state] : GroupOfState[CBST_NORMAL];
}

// Where the buttons go: the caption band's top, right and bottom edges; the
// DPI the sizes are drawn at, and the pen of the outlines.
struct ButtonRow {
    int top;
    int right;
    int bottom;
    int dpi;
    HPEN outlinePen;
};

// The buttons are square, as high as the band less the insets above and below.
static RECT ButtonFace(ButtonSlot slot, const ButtonRow &row)
{
    const int inset = ScaleToDpi(ButtonInset, row.dpi);
    const int side = (row.bottom - row.top) - 2 * inset;
    const int faceRight = row.right - inset - slot * (side + ScaleToDpi(ButtonGap, row.dpi));
    const RECT face = {faceRight - side, row.top + inset, faceRight, row.bottom - inset};
    return face;
}

// A glyph line between two points already at the window's DPI.
static void DrawGlyphLine(HDC dc, int x0, int y0, int x1, int y1, int thickness)
{
    const POINT points[2] = {{x0, y0}, {x1, y1}};
    DrawPolyline(dc, points, 2, thickness);
}

static void OutlineButton(HDC dc, const ButtonRow &row, const RECT &face)
{
    const int outset = ScaleToDpi(OutlineOutset, row.dpi);
    const int corner = ScaleToDpi(OutlineCornerDiameter, row.dpi);
    HGDIOBJ previousPen = SelectObject(dc, row.outlinePen);
    RoundRect(dc, face.left - outset, face.top - outset, face.right + outset, face.bottom + outset, corner, corner);
    SelectObject(dc, previousPen);
}

// A tool window's small caption holds the close button alone.
static bool OffersBoxes(HWND hwnd)
{
    return (GetWindowLongW(hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 &&
           (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0;
}

static bool OffersHelp(HWND hwnd)
{
    return (GetWindowLongW(hwnd, GWL_EXSTYLE) & (WS_EX_CONTEXTHELP | WS_EX_TOOLWINDOW)) == WS_EX_CONTEXTHELP &&
           (GetWindowLongW(hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0;
}

static void PaintCloseButton(HWND hwnd, HDC dc, const ButtonRow &row, const COLORREF *colours)
{
    if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_SYSMENU) == 0)
        return;
    const RECT face = ButtonFace(SLOT_CLOSE, row);
    FillGradient4(dc, &face, colours);
    const int inset = ScaleToDpi(CloseInset, row.dpi);
    const int thickness = ScaleToDpi(LineWidth, row.dpi);
    DrawGlyphLine(dc, face.left + inset, face.top + inset, face.right - inset, face.bottom - inset, thickness);
    DrawGlyphLine(dc, face.right - inset, face.top + inset, face.left + inset, face.bottom - inset, thickness);
    OutlineButton(dc, row, face);
}

static void PaintMinimizeButton(HWND hwnd, HDC dc, const ButtonRow &row, const COLORREF *colours)
{
    if (!OffersBoxes(hwnd))
        return;
    const RECT face = ButtonFace(SLOT_MINIMIZE, row);
    FillGradient4(dc, &face, colours);
    const int inset = ScaleToDpi(BarInset, row.dpi);
    const int barTop = face.bottom - ScaleToDpi(BarBottom, row.dpi);
    const int barBottom = face.bottom - ScaleToDpi(BarBottom - BarHeight, row.dpi);
    DrawGlyphLine(dc, face.left + inset, barTop, face.right - inset, barTop, barBottom - barTop);
    OutlineButton(dc, row, face);
}

static void PaintMaximizeButton(HWND hwnd, HDC dc, const ButtonRow &row, const COLORREF *colours)
{
    if (!OffersBoxes(hwnd))
        return;
    const RECT face = ButtonFace(SLOT_MAXIMIZE, row);
    FillGradient4(dc, &face, colours);
    DrawDesignStroke(dc, PlusAcross, 2, face.left, face.top, row.dpi);
    DrawDesignStroke(dc, PlusDown, 2, face.left, face.top, row.dpi);
    OutlineButton(dc, row, face);
}

static void PaintHelpButton(HWND hwnd, HDC dc, const ButtonRow &row, const COLORREF *colours)
{
    if (!OffersHelp(hwnd) || (GetWindowLongW(hwnd, GWL_STYLE) & WS_SYSMENU) == 0)
        return;
    const RECT face = ButtonFace(SLOT_HELP, row);
    FillGradient4(dc, &face, colours);
    DrawDesignStroke(dc, QuestionHook, 7, face.left, face.top, row.dpi);
    DrawDesignStroke(dc, QuestionDot, 2, face.left, face.top, row.dpi);
    OutlineButton(dc, row, face);
}

void PaintCaptionButtons(SkinnedWindow *rec, HDC dc, const CaptionLayout &layout)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    const auto *buttons = static_cast<const CaptionButtonState *>(rec->extraState);
    ButtonRow row;
    row.top = layout.band.top;
    row.right = layout.buttonsRight;
    row.bottom = layout.band.bottom;
    row.dpi = WindowDpi(hwnd);

    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const int closeGroup = GroupForState(buttons->closeState);
    const int minGroup = (style & WS_MINIMIZEBOX) ? GroupForState(buttons->minState) : UnofferedGroup;
    const int maxGroup = (style & WS_MAXIMIZEBOX) ? GroupForState(buttons->maxState) : UnofferedGroup;

    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN glyphPen = CreatePen(PS_SOLID, 1, face.captionGlyph);
    row.outlinePen = CreateOutlinePen(face.captionGlyph, ScaleToDpi(LineWidth, row.dpi));
    HGDIOBJ oldPen = SelectObject(dc, glyphPen);

    PaintCloseButton(hwnd, dc, row, face.captionButtons[closeGroup]);
    PaintMinimizeButton(hwnd, dc, row, face.captionButtons[minGroup]);
    PaintMaximizeButton(hwnd, dc, row, face.captionButtons[maxGroup]);
    PaintHelpButton(hwnd, dc, row, face.captionButtons[GroupForState(buttons->helpState)]);

    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(glyphPen);
    DeleteObject(row.outlinePen);
}
