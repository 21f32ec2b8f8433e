// Check box and radio button painting: the indicator with its gradient face
// and mark, then the caption, composed off screen.
#include "buttons.h"

// The inner square's solid fill; the first row whose bits are all set wins.
struct IndicatorFill {
    DWORD states;
    IndicatorFillRow row;
};

static const IndicatorFill IndicatorFillColours[] = {
    {SKS_INDETERMINATE | SKS_DISABLED, FILL_INDETERMINATE_DISABLED},
    {SKS_INDETERMINATE | SKS_PRESSED, FILL_INDETERMINATE_PRESSED},
    {SKS_INDETERMINATE | SKS_HOT, FILL_INDETERMINATE_HOT},
    {SKS_INDETERMINATE, FILL_INDETERMINATE},
    {SKS_CHECKED, FILL_HOT_CHECKED},  // hot and not pressed, checked
    {0, FILL_HOT},                    // hot and not pressed
};

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

static COLORREF IndicatorFillColour(const Face &face, DWORD state)
{
    for (const IndicatorFill &row : IndicatorFillColours) {
        if ((state & row.states) == row.states)
            return face.indicatorFills[row.row];
    }
    return face.indicatorFills[IndicatorFillColours[0].row];
}

static bool ShowsIndicatorFill(DWORD state)
{
    return (state & SKS_INDETERMINATE) || (state & (SKS_HOT | SKS_PRESSED)) == SKS_HOT;
}

static COLORREF IndicatorFrameColour(const Face &face, DWORD state)
{
    return (state & SKS_DISABLED) ? face.disabledFrame : face.indicatorFrame;
}

static COLORREF CaptionColour(const Face &face, DWORD state)
{
    return (state & SKS_DISABLED) ? face.choiceGreyText : face.choiceText;
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
    if (!DrawWindowCaption(dc, hwnd, &text, CaptionColour(*CurrentFace(), state), format,
                           hugText ? CAPTION_HUG_TEXT : CAPTION_IN_RECT))
        return;
    if (state & SKS_FOCUSED) {
        const int inset = ScaleToDpi(FocusInset, dpi);
        InflateRect(&text, hugText ? 0 : -inset, -inset);
        DrawFocusRect(dc, &text);
    }
}

// Opens a back buffer over the whole window and fills it with background.
static HDC BeginIndicatorBuffer(BackBuffer *buffer, HDC target, const RECT &window, COLORREF background, int *w,
                                int *h)
{
    HDC dc = BeginBackBuffer(buffer, target, window, false);
    *w = window.right - window.left;
    *h = window.bottom - window.top;
    FillSolid(dc, {0, 0, *w, *h}, background);
    return dc;
}

// A radio button's cell stays white at rest; only the check box has a
// resting face.
static void FillIndicatorFace(HDC dc, const RECT &rect, const Face &face, DWORD state, bool restingFace)
{
    if (state & SKS_DISABLED)
        FillSolid(dc, rect, face.checkFaceDisabled);
    else if (state & SKS_PRESSED)
        FillGradient4(dc, &rect, face.checkFaces[FACE_PRESSED]);
    else if (state & SKS_HOT)
        FillGradient4(dc, &rect, face.checkFaces[FACE_HOT]);
    else if (restingFace)
        FillGradient4(dc, &rect, face.checkFaces[FACE_RESTING]);
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
    const Face &face = *CurrentFace();
    BackBuffer buffer;
    int w, h;
    HDC dc = BeginIndicatorBuffer(&buffer, target, window, face.controlBackground, &w, &h);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const int dpi = WindowDpi(hwnd);

    RECT box, text;
    LayOutIndicator(style, w, h, ScaleToDpi(CheckBoxSize, dpi), ScaleToDpi(CheckTextOffset, dpi), &box, &text);

    HBRUSH frame = CreateSolidBrush(IndicatorFrameColour(face, state));
    const int frameWidth = ScaleToDpi(CheckFaceInset, dpi);
    FrameRectWidth(dc, &box, frame, frameWidth);
    DeleteObject(frame);

    InflateRect(&box, -frameWidth, -frameWidth);
    FillIndicatorFace(dc, box, face, state, true);

    const int fillInset = ScaleToDpi(CheckFillInset, dpi);
    InflateRect(&box, -fillInset, -fillInset);
    if (ShowsIndicatorFill(state))
        FillSolid(dc, box, IndicatorFillColour(face, state));
    if (state & SKS_CHECKED)
        DrawCheckMark(dc, box.left, box.top, (state & SKS_DISABLED) ? face.checkMarkDisabled : face.checkMark, dpi);

    DrawIndicatorCaption(hwnd, dc, state, text, true, DT_SINGLELINE | DT_VCENTER, dpi);
    EndBackBuffer(&buffer);
}

void PaintRadioButton(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const DWORD state = rec->state;
    const Face &face = *CurrentFace();
    BackBuffer buffer;
    int w, h;
    HDC dc = BeginIndicatorBuffer(&buffer, target, window, face.controlBackground, &w, &h);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const int dpi = WindowDpi(hwnd);
    const int cellSize = ScaleToDpi(RadioCellSize, dpi);
    const int line = ScaleToDpi(1, dpi);

    // The caption starts right at the cell's edge.
    RECT cell, text;
    LayOutIndicator(style, w, h, cellSize, cellSize, &cell, &text);
    const int cx = cell.left, cy = cell.top;

    FillIndicatorFace(dc, cell, face, state, false);

    const RECT inner = InCell(RadioInner, cx, cy, dpi);
    if (ShowsIndicatorFill(state))
        FillSolid(dc, inner, IndicatorFillColour(face, state));

    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (state & SKS_CHECKED) {
        FillGradient4(dc, &inner, face.radioDot);
        OutlineEllipse(dc, line, face.controlBackground, InCell(RadioDotRing, cx, cy, dpi));
        OutlineEllipse(dc, line, face.controlBackground, InCell(RadioDotInnerRing, cx, cy, dpi));
    }
    // A broad white ring hides the square fills' corners outside the circle;
    // when hot it is left out, so the hot face shows around the circle.
    if ((state & SKS_HOT) == 0)
        OutlineEllipse(dc, ScaleToDpi(RadioWhiteRingWidth, dpi), face.controlBackground,
                       InCell(RadioWhiteRing, cx, cy, dpi));
    OutlineEllipse(dc, line, IndicatorFrameColour(face, state), inner);
    SelectObject(dc, previousBrush);

    DrawIndicatorCaption(hwnd, dc, state, text, false, ButtonTextFormat(style), dpi);
    EndBackBuffer(&buffer);
}
