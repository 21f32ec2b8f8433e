// The close, maximise and minimise buttons of a skinned dialog's caption.
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

// Places from the right: close, maximise, minimise. A button that is not
// drawn leaves its place empty.
enum ButtonSlot { SLOT_CLOSE = 0, SLOT_MAXIMIZE = 1, SLOT_MINIMIZE = 2 };

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

static bool OffersBoxes(HWND hwnd)
{
    return (GetWindowLongW(hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
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

void PaintCaptionButtons(SkinnedWindow *rec, HDC dc)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    const auto *buttons = static_cast<const CaptionButtonState *>(rec->extraState);
    RECT window;
    GetWindowRect(hwnd, &window);
    ButtonRow row;
    row.top = GetSystemMetrics(SM_CYDLGFRAME);
    row.right = (window.right - window.left) - GetSystemMetrics(SM_CXDLGFRAME);
    row.bottom = row.top + GetSystemMetrics(SM_CYCAPTION);
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

    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(glyphPen);
    DeleteObject(row.outlinePen);
}
