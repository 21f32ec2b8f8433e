// Group box and label painting. The group box draws straight into the DC
// and fills no background, so the parent shows through; the label draws the
// parent's background beneath its text itself.
#include "buttons.h"

// Design sizes, drawn at the window's DPI. The frame's top edge runs through
// the middle of the caption.
static const int GroupFrameTop = 6;
static const int GroupFrameLine = 1;
static const int GroupFrameCorner = 6;
static const int GroupCaptionLeft = 5;

void PaintGroupBox(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const DWORD state = rec->state;
    const Face &face = *CurrentFace();
    const int x = window.left;
    const int y = window.top;
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;

    const int dpi = WindowDpi(hwnd);

    HPEN frame = CreateOutlinePen(face.groupFrame, ScaleToDpi(GroupFrameLine, dpi));
    HGDIOBJ previousPen = SelectObject(dc, frame);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int corner = ScaleToDpi(GroupFrameCorner, dpi);
    RoundRect(dc, x, y + ScaleToDpi(GroupFrameTop, dpi), x + w, y + h, corner, corner);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(frame);

    // The caption stands on the controls' background, which blanks the
    // frame's top line behind it.
    const int previousMode = SetBkMode(dc, OPAQUE);
    const COLORREF previousBackground = SetBkColor(dc, face.controlBackground);
    const bool grey = (state & (SKS_DISABLED | SKS_INDETERMINATE)) != 0;
    RECT text = {x + ScaleToDpi(GroupCaptionLeft, dpi), y, x + w, y + h};
    DrawWindowCaption(dc, hwnd, &text, grey ? face.buttonGreyText : face.buttonText, DT_LEFT | DT_TOP);
    SetBkColor(dc, previousBackground);
    SetBkMode(dc, previousMode);
}

// The host's own colours for the label, asked for as the standard control
// asks: a parent that answers WM_CTLCOLORSTATIC with a brush of its own
// chose the background, and the text colour it left in the DC goes with it.
static HBRUSH HostLabelBrush(HWND hwnd, HDC dc)
{
    HWND parent = GetParent(hwnd);
    if (parent == nullptr || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0)
        return nullptr;
    const LRESULT answer =
        SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
    return HostLeftColourUnanswered(answer, COLOR_BTNFACE) ? nullptr : reinterpret_cast<HBRUSH>(answer);
}

// Tabs are expanded as the standard control expands them; alignment styles
// are not consulted: every label reads from the left.
static const UINT LabelTextFormat = DT_WORDBREAK | DT_EXPANDTABS;

// The label draws what lies beneath it itself, asking its parent for the
// background, so that it reads on the dialog's background even where the
// dialog clips its children, and can be repainted at any time. Composed off
// screen, so that the text never flickers. Text and background go together:
// the host's text on the host's brush, or the face's text on the face's
// background. A border, if the label has one, is the standard control's own:
// only the client area is drawn.
void PaintLabel(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    RECT client;
    GetClientRect(hwnd, &client);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, ClientAreaIn(hwnd, window), false);
    // The host's answer may change the DC's colours and mode; the saved
    // state takes them back.
    const int saved = SaveDC(dc);
    HBRUSH hostBrush = HostLabelBrush(hwnd, dc);
    if (hostBrush != nullptr) {
        FillRect(dc, &client, hostBrush);
        DrawWindowCaption(dc, hwnd, &client, GetTextColor(dc), LabelTextFormat);
    }
    RestoreDC(dc, saved);
    if (hostBrush == nullptr) {
        DrawParentBackground(hwnd, dc);
        const COLORREF text = IsWindowEnabled(hwnd) ? face.labelText : face.labelDisabledText;
        DrawWindowCaption(dc, hwnd, &client, text, LabelTextFormat);
    }
    EndBackBuffer(&buffer);
}
