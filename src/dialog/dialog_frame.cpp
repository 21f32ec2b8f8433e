// The non-client look of skinned dialogs and main windows: the rounded
// window region, the frame strips and the caption band with icon and title.
#include "dialog.h"

// Design sizes, drawn at the window's DPI. The icon itself takes the
// small-icon metrics.
static const int WindowCornerDiameter = 16;
static const int CaptionIconInset = 6;   // from the band's left edge
static const int CaptionIconTop = 2;     // from the band's top edge
static const int CaptionIconGap = 2;     // after an icon, the title moves right by its width and this
static const int CaptionTitleInset = 10;

static void WindowSize(HWND hwnd, int *width, int *height)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    *width = window.right - window.left;
    *height = window.bottom - window.top;
}

static void FillSolid(HDC dc, const RECT *rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, rect, brush);
    DeleteObject(brush);
}

// Rounded while the dialog has a normal size, square while maximised. The
// region is remembered before SetWindowRgn, whose messages may paint again;
// once installed it belongs to the system, which frees it when the next one
// replaces it.
void InstallDialogRegion(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    if (IsZoomed(hwnd))
        return;
    int width;
    int height;
    WindowSize(hwnd, &width, &height);
    const int corner = ScaleToDpi(WindowCornerDiameter, WindowDpi(hwnd));
    HRGN region = CreateRoundRectRgn(0, 0, width, height, corner, corner);
    rec->windowRegion = region;
    if (SetWindowRgn(hwnd, region, FALSE) == 0) {
        // Refused, so still ours; the next paint tries again.
        DeleteObject(region);
        rec->windowRegion = nullptr;
    }
}

// The non-client painters draw in window coordinates, from dc's origin.
static void PaintFrameStrips(SkinnedWindow *rec, HDC dc)
{
    const HWND hwnd = rec->hwnd;
    if (rec->windowRegion == nullptr)
        InstallDialogRegion(rec);
    int width;
    int height;
    WindowSize(hwnd, &width, &height);
    const int cx = GetSystemMetrics(SM_CXDLGFRAME);
    const int cy = GetSystemMetrics(SM_CYDLGFRAME);

    const RECT strips[4] = {
        {0, 0, cx, height},              // left
        {0, 0, width, cy},               // top
        {width - cx, 0, width, height},  // right
        {0, height - cy, width, height}, // bottom
    };
    HBRUSH brush = CreateSolidBrush(CurrentFace()->dialogFrame);
    for (const RECT &strip : strips)
        FillRect(dc, &strip, brush);
    DeleteObject(brush);
}

CaptionLayout CaptionLayoutOf(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    int width;
    int height;
    WindowSize(hwnd, &width, &height);
    CaptionLayout layout = {};
    if (rec->skinClass == &DialogClass) {
        const int cy = GetSystemMetrics(SM_CYDLGFRAME);
        // The right edge uses the vertical frame metric, as the caption always has.
        layout.band = {GetSystemMetrics(SM_CXDLGFRAME), cy, width - cy, cy + GetSystemMetrics(SM_CYCAPTION)};
        layout.buttonsRight = width - GetSystemMetrics(SM_CXDLGFRAME);
        return layout;
    }
    // The frame and caption the system gives the style; a client edge lies
    // inside them, and scroll bars and a menu bar below.
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE) & ~(WS_VSCROLL | WS_HSCROLL);
    const LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE;
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int frameX = -frame.left;
    const int frameY = frame.bottom;
    const int captionBottom = frameY + (-frame.top - frameY);
    // A minimised window is its caption alone.
    layout.band = {frameX, frameY, width - frameX, captionBottom < height - frameY ? captionBottom : height - frameY};
    layout.buttonsRight = width - frameX;
    layout.smallCaption = (exStyle & WS_EX_TOOLWINDOW) != 0;
    return layout;
}

// A main window's title is in the system's caption font, a dialog's in its own.
static HFONT CreateCaptionFont(SkinnedWindow *rec, const CaptionLayout &layout)
{
    if (rec->skinClass == &DialogClass)
        return nullptr;
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    return CreateFontIndirectW(layout.smallCaption ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont);
}

static void PaintDialogCaption(SkinnedWindow *rec, HDC dc)
{
    const HWND hwnd = rec->hwnd;
    if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
        return;

    // The icon comes from the host's procedure, which may destroy or release
    // the window while it answers. A tool window shows none.
    const CaptionLayout layout = CaptionLayoutOf(rec);
    HICON icon = nullptr;
    if (!layout.smallCaption) {
        icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
        if (icon == nullptr && rec->skinClass != &DialogClass)
            icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM));
        if (rec->released)
            return;
    }

    RECT band = layout.band;
    const Face &face = *CurrentFace();
    FillSolid(dc, &band, face.dialogFrame);
    FillGradient4(dc, &band, (rec->state & SKS_FOCUSED) ? face.activeCaption : face.inactiveCaption);

    const int dpi = WindowDpi(hwnd);
    if (icon != nullptr) {
        // A picture keeps its orientation in a mirrored window.
        const int iconWidth = GetSystemMetrics(SM_CXSMICON);
        DrawIconEx(dc, band.left + ScaleToDpi(CaptionIconInset, dpi), band.top + ScaleToDpi(CaptionIconTop, dpi),
                   icon, iconWidth, GetSystemMetrics(SM_CYSMICON), 0, nullptr, DI_NORMAL | DI_NOMIRROR);
        band.left += iconWidth + ScaleToDpi(CaptionIconGap, dpi);
    }

    const int oldMode = SetBkMode(dc, TRANSPARENT);
    band.left += ScaleToDpi(CaptionTitleInset, dpi);
    HFONT font = CreateCaptionFont(rec, layout);
    DrawWindowCaption(dc, hwnd, &band, face.captionText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX,
                      CAPTION_IN_RECT, font);
    if (font != nullptr)
        DeleteObject(font);
    SetBkMode(dc, oldMode);

    // The title's text and font came from the host's procedure too.
    if (!rec->released)
        PaintCaptionButtons(rec, dc, layout);
}

// A main window's frame is as wide as its style makes it, and a client edge
// and the line under a menu bar lie in it too: all of it but the client area
// and the menu bar is filled, in window coordinates.
static void PaintWholeFrame(SkinnedWindow *rec, HDC dc)
{
    const HWND hwnd = rec->hwnd;
    if (rec->windowRegion == nullptr && !IsIconic(hwnd))
        InstallDialogRegion(rec);
    const RECT whole = WindowRectInWindow(hwnd);
    const RECT client = ClientAreaIn(hwnd, whole);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    RECT menuBar;
    if (MenuBarPlace(hwnd, &menuBar))
        ExcludeClipRect(dc, menuBar.left, menuBar.top, menuBar.right, menuBar.bottom);
    FillSolid(dc, &whole, CurrentFace()->dialogFrame);
    RestoreDC(dc, saved);
}

// The frame with its caption, and the caption with its buttons.
void PaintDialogPart(SkinnedWindow *rec, HDC dc, const RECT &window, int part)
{
    if (part == DIALOG_BACKGROUND) {
        const POINT clientOrigin = MoveOriginToWindow(dc, ClientAreaIn(rec->hwnd, window));
        if (rec->skinClass == &DialogClass)
            PaintDialogBackground(rec, dc);
        else
            PaintMainWindowBackground(rec, dc);
        PutBackOrigin(dc, clientOrigin);
        return;
    }
    const POINT origin = MoveOriginToWindow(dc, window);
    if (part == DIALOG_FRAME && rec->skinClass == &DialogClass)
        PaintFrameStrips(rec, dc);
    else if (part == DIALOG_FRAME)
        PaintWholeFrame(rec, dc);
    // Installing the region sends messages to the host's procedure.
    if (part == DIALOG_CAPTION_BUTTONS)
        PaintCaptionButtons(rec, dc, CaptionLayoutOf(rec));
    else if (!rec->released)
        PaintDialogCaption(rec, dc);
    PutBackOrigin(dc, origin);
}

void PaintDialogFrame(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    PaintDialogPart(rec, dc, window, DIALOG_FRAME);
}
