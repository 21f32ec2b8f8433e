// Check box and radio button painting: the indicator with its gradient face
// and mark, then the caption, composed off screen.
#include "buttons.h"

// Corner colours in FillGradient4's order: top-left, top-right, bottom-left,
// bottom-right. Equal middle corners make each a diagonal gradient.
enum CheckFaceRow { FACE_PRESSED, FACE_HOT, FACE_RESTING };

static const COLORREF CheckFaceGradients[][4] = {
    {0x00A5B2B5, 0x00CED7D6, 0x00CED7D6, 0x00DEEFF7},  // pressed
    {0x00CEF3FF, 0x0063CBFF, 0x0063CBFF, 0x0031B2FF},  // hot
    {0x00D6DFDE, 0x00EFF3F7, 0x00EFF3F7, 0x00FFFFFF},  // resting, check boxes only
};

// The radio dot: lighter green at the top.
static const COLORREF RadioDotGradient[4] = {0x0021A221, 0x0021A221, 0x00187A18, 0x00187A18};

// The inner square's solid fill; the first row whose bits are all set wins.
struct IndicatorFill {
    DWORD states;
    COLORREF colour;
};

static const IndicatorFill IndicatorFillColours[] = {
    {SKS_INDETERMINATE | SKS_DISABLED, 0x00BDCBCE},
    {SKS_INDETERMINATE | SKS_PRESSED, 0x00188A18},
    {SKS_INDETERMINATE | SKS_HOT, 0x0021A221},
    {SKS_INDETERMINATE, 0x0073C373},
    {SKS_CHECKED, 0x00F7F7F7},  // hot and not pressed, checked
    {0, 0x00E7E7E7},            // hot and not pressed
};

static const COLORREF IndicatorFrame = 0x00845118;
static const COLORREF CheckMark = 0x0021A221;
static const COLORREF CheckMarkDisabled = 0x00BDCBCE;

// Design sizes, drawn at the window's DPI.
static const int CheckBoxSize = 13;
static const int CheckTextOffset = 18;  // from the box's outer edge to the caption
static const int CheckFaceInset = 1;    // the frame's width
static const int CheckFillInset = 2;    // from the face to the inner square
static const int RadioCellSize = 15;
static const int FocusInset = 1;        // a radio caption's focus rectangle inside its text

// The radio button's circles, as the left, top, right and bottom of their
// squares in the cell.
static const RECT RadioInner = {2, 2, 13, 13};       // the fills and the frame circle
static const RECT RadioDotRing = {3, 3, 12, 12};     // two white rings round the dot
static const RECT RadioDotInnerRing = {4, 4, 11, 11};
static const RECT RadioWhiteRing = {0, 0, 14, 14};   // hides the fills' corners
static const int RadioWhiteRingWidth = 3;

// The tick: seven 3-pixel columns in the inner square, each given by the row
// of its first pixel; falling for three columns, rising for four.
static const int CheckMarkRows[] = {2, 3, 4, 3, 2, 1, 0};
static const int CheckMarkHeight = 3;

static COLORREF IndicatorFillColour(DWORD state)
{
    for (const IndicatorFill &row : IndicatorFillColours) {
        if ((state & row.states) == row.states)
            return row.colour;
    }
    return IndicatorFillColours[0].colour;
}

static bool ShowsIndicatorFill(DWORD state)
{
    return (state & SKS_INDETERMINATE) || (state & (SKS_HOT | SKS_PRESSED)) == SKS_HOT;
}

static COLORREF IndicatorFrameColour(DWORD state)
{
    return (state & SKS_DISABLED) ? DarkenedSysColor(COLOR_BTNFACE) : IndicatorFrame;
}

static COLORREF CaptionColour(DWORD state)
{
    return GetSysColor((state & SKS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
}

static void FillSolid(HDC dc, const RECT &rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// A design rectangle of the radio cell, scaled, in the cell at (x, y).
static RECT InCell(const RECT &design, int x, int y, int dpi)
{
    return {x + ScaleToDpi(design.left, dpi), y + ScaleToDpi(design.top, dpi), x + ScaleToDpi(design.right, dpi),
            y + ScaleToDpi(design.bottom, dpi)};
}

// An outline-only ellipse, drawn with the NULL_BRUSH the caller selected.
static void OutlineEllipse(HDC dc, int width, COLORREF colour, const RECT &square)
{
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    Ellipse(dc, square.left, square.top, square.right, square.bottom);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

static void DrawCheckMark(HDC dc, int left, int top, COLORREF colour, int dpi)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    for (int i = 0; i < static_cast<int>(sizeof CheckMarkRows / sizeof CheckMarkRows[0]); ++i) {
        const POINT column[2] = {{i, CheckMarkRows[i]}, {i, CheckMarkRows[i] + CheckMarkHeight}};
        DrawDesignStroke(dc, column, 2, left, top, dpi);
    }
    SelectObject(dc, previous);
    DeleteObject(pen);
}

// Draws the caption in the control's font and colour. A check box's caption
// hugs its text at the top of the control; a radio button's fills its text
// rectangle as the alignment styles say. The focus rectangle follows.
static void DrawIndicatorCaption(HWND hwnd, HDC dc, DWORD state, RECT text, bool hugText, UINT format, int dpi)
{
    if (!DrawWindowCaption(dc, hwnd, &text, CaptionColour(state), format, hugText ? CAPTION_HUG_TEXT : CAPTION_IN_RECT))
        return;
    if (state & SKS_FOCUSED) {
        const int inset = ScaleToDpi(FocusInset, dpi);
        InflateRect(&text, hugText ? 0 : -inset, -inset);
        DrawFocusRect(dc, &text);
    }
}

// Opens a back buffer over the whole window and whitens it.
static HDC BeginIndicatorBuffer(BackBuffer *buffer, HDC target, const RECT &window, int *w, int *h)
{
    HDC dc = BeginBackBuffer(buffer, target, window, false);
    *w = window.right - window.left;
    *h = window.bottom - window.top;
    FillSolid(dc, {0, 0, *w, *h}, SkinWhite);
    return dc;
}

// A radio button's cell stays white at rest; only the check box has a
// resting face.
static void FillIndicatorFace(HDC dc, const RECT &face, DWORD state, bool restingFace)
{
    if (state & SKS_DISABLED)
        FillRect(dc, &face, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    else if (state & SKS_PRESSED)
        FillGradient4(dc, &face, CheckFaceGradients[FACE_PRESSED]);
    else if (state & SKS_HOT)
        FillGradient4(dc, &face, CheckFaceGradients[FACE_HOT]);
    else if (restingFace)
        FillGradient4(dc, &face, CheckFaceGradients[FACE_RESTING]);
}

// The indicator is centred vertically at the left, or with BS_LEFTTEXT at
// the right; the caption's rectangle keeps textOffset from its outer edge.
static void LayOutIndicator(LONG style, int w, int h, int size, int textOffset, RECT *indicator, RECT *text)
{
    const int top = (h - size) / 2;
    if (style & BS_LEFTTEXT) {
        *indicator = {w - size, top, w, top + size};
        *text = {0, 0, w - textOffset, h};
    } else {
        *indicator = {0, top, size, top + size};
        *text = {textOffset, 0, w, h};
    }
}

void PaintCheckBox(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const DWORD state = rec->state;
    BackBuffer buffer;
    int w, h;
    HDC dc = BeginIndicatorBuffer(&buffer, target, window, &w, &h);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const int dpi = WindowDpi(hwnd);

    RECT box, text;
    LayOutIndicator(style, w, h, ScaleToDpi(CheckBoxSize, dpi), ScaleToDpi(CheckTextOffset, dpi), &box, &text);

    HBRUSH frame = CreateSolidBrush(IndicatorFrameColour(state));
    const int frameWidth = ScaleToDpi(CheckFaceInset, dpi);
    FrameRectWidth(dc, &box, frame, frameWidth);
    DeleteObject(frame);

    InflateRect(&box, -frameWidth, -frameWidth);
    FillIndicatorFace(dc, box, state, true);

    const int fillInset = ScaleToDpi(CheckFillInset, dpi);
    InflateRect(&box, -fillInset, -fillInset);
    if (ShowsIndicatorFill(state))
        FillSolid(dc, box, IndicatorFillColour(state));
    if (state & SKS_CHECKED)
        DrawCheckMark(dc, box.left, box.top, (state & SKS_DISABLED) ? CheckMarkDisabled : CheckMark, dpi);

    DrawIndicatorCaption(hwnd, dc, state, text, true, DT_SINGLELINE | DT_VCENTER, dpi);
    EndBackBuffer(&buffer);
}

void PaintRadioButton(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const DWORD state = rec->state;
    BackBuffer buffer;
    int w, h;
    HDC dc = BeginIndicatorBuffer(&buffer, target, window, &w, &h);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const int dpi = WindowDpi(hwnd);
    const int cellSize = ScaleToDpi(RadioCellSize, dpi);
    const int line = ScaleToDpi(1, dpi);

    // The caption starts right at the cell's edge.
    RECT cell, text;
    LayOutIndicator(style, w, h, cellSize, cellSize, &cell, &text);
    const int cx = cell.left, cy = cell.top;

    FillIndicatorFace(dc, cell, state, false);

    const RECT inner = InCell(RadioInner, cx, cy, dpi);
    if (ShowsIndicatorFill(state))
        FillSolid(dc, inner, IndicatorFillColour(state));

    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (state & SKS_CHECKED) {
        FillGradient4(dc, &inner, RadioDotGradient);
        OutlineEllipse(dc, line, SkinWhite, InCell(RadioDotRing, cx, cy, dpi));
        OutlineEllipse(dc, line, SkinWhite, InCell(RadioDotInnerRing, cx, cy, dpi));
    }
    // A broad white ring hides the square fills' corners outside the circle;
    // when hot it is left out, so the hot face shows around the circle.
    if ((state & SKS_HOT) == 0)
        OutlineEllipse(dc, ScaleToDpi(RadioWhiteRingWidth, dpi), SkinWhite, InCell(RadioWhiteRing, cx, cy, dpi));
    OutlineEllipse(dc, line, IndicatorFrameColour(state), inner);
    SelectObject(dc, previousBrush);

    DrawIndicatorCaption(hwnd, dc, state, text, false, ButtonTextFormat(style), dpi);
    EndBackBuffer(&buffer);
}
