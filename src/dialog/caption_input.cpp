// Mouse input on the caption buttons of a skinned dialog or main window. Which button lies
// under the cursor is always the system's hit test, never computed here.
#include "dialog.h"

#include <windowsx.h>

static CaptionButtonState *ButtonsOf(SkinnedWindow *rec)
{
    return static_cast<CaptionButtonState *>(rec->extraState);
}

static int *StateOfButton(CaptionButtonState *buttons, int id)
{
    switch (id) {
    case CBID_MINIMIZE:
        return &buttons->minState;
    case CBID_MAXIMIZE:
        return &buttons->maxState;
    case CBID_HELP:
        return &buttons->helpState;
    default:
        return &buttons->closeState;
    }
}

// The button a hit-test code names, or 0.
static int ButtonAtHitTest(WPARAM hitTest)
{
    switch (hitTest) {
    case HTMINBUTTON:
        return CBID_MINIMIZE;
    case HTMAXBUTTON:
        return CBID_MAXIMIZE;
    case HTCLOSE:
        return CBID_CLOSE;
    case HTHELP:
        return CBID_HELP;
    default:
        return 0;
    }
}

static bool AllNormal(const CaptionButtonState *buttons)
{
    return buttons->closeState == CBST_NORMAL && buttons->minState == CBST_NORMAL &&
           buttons->maxState == CBST_NORMAL && buttons->helpState == CBST_NORMAL;
}

static void SetAll(CaptionButtonState *buttons, int state)
{
    buttons->closeState = state;
    buttons->minState = state;
    buttons->maxState = state;
    buttons->helpState = state;
}

// Puts every button back to its resting look, repainting only on a change.
static void ResetButtons(SkinnedWindow *rec)
{
    CaptionButtonState *buttons = ButtonsOf(rec);
    if (AllNormal(buttons))
        return;
    SetAll(buttons, CBST_NORMAL);
    RepaintPartNow(rec, DIALOG_CAPTION_BUTTONS);
}

// The system's move loop runs inside the default procedure. The caption
// bits are off meanwhile, so that the system draws no caption of its own
// over ours, and come back as they were.
static LRESULT DragCaption(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    const LONG captionBits = GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION;
    SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) & ~WS_CAPTION);
    const LRESULT result = DefaultMessage(rec, WM_NCLBUTTONDOWN, hitTest, lParam);
    SetWindowLongW(hwnd, GWL_STYLE, (GetWindowLongW(hwnd, GWL_STYLE) & ~WS_CAPTION) | captionBits);
    RepaintPartNow(rec, DIALOG_CAPTION);
    return result;
}

LRESULT PressCaptionButton(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    if (hitTest == HTCAPTION)
        return DragCaption(rec, hitTest, lParam);

    const int button = ButtonAtHitTest(hitTest);
    if (button == 0) {
        // The default procedure, not the host's: the dialog procedure never
        // sees non-client presses.
        DefaultMessage(rec, WM_NCLBUTTONDOWN, hitTest, lParam);
        RepaintPartNow(rec, DIALOG_CAPTION);
        return 0;
    }

    CaptionButtonState *buttons = ButtonsOf(rec);
    buttons->pressActive = 1;
    buttons->pressedButton = button;
    *StateOfButton(buttons, button) = CBST_PRESSED;
    RepaintPartNow(rec, DIALOG_CAPTION_BUTTONS);
    // Taking the capture tells the window that held it.
    SetCapture(hwnd);
    RepaintPartNow(rec, DIALOG_CAPTION);
    return 0;
}

LRESULT ReleaseCaptionButton(SkinnedWindow *rec, WPARAM hitTest, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    CaptionButtonState *buttons = ButtonsOf(rec);
    if (buttons->pressActive == 0)
        return ForwardMessage(rec, WM_NCLBUTTONUP, hitTest, lParam);

    buttons->pressActive = 0;
    // The dialog hears of the lost capture through its own procedure.
    ReleaseCapture();
    if (rec->released)
        return 0;

    const int button = ButtonAtHitTest(hitTest);
    if (button == 0) {
        ResetButtons(rec);
        return ForwardMessage(rec, WM_NCLBUTTONUP, hitTest, lParam);
    }
    if (button != buttons->pressedButton) {
        // Released over another button: nothing is carried out, and no
        // button keeps a pressed look.
        ResetButtons(rec);
        return 0;
    }

    buttons->pressedButton = 0;
    *StateOfButton(buttons, button) = CBST_NORMAL;
    RepaintPartNow(rec, DIALOG_CAPTION_BUTTONS);
    // The host may destroy the dialog while it handles the command, so
    // nothing of the record is touched after the send.
    switch (button) {
    case CBID_MAXIMIZE:
        SendMessageW(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        break;
    case CBID_MINIMIZE:
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
        break;
    case CBID_HELP:
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_CONTEXTHELP, lParam);
        break;
    default:
        // A main window hears the close as the system sends it, so that a
        // host that keeps its window on SC_CLOSE still can.
        if (rec->skinClass == &DialogClass)
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
        else
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
        break;
    }
    return 0;
}

LRESULT TrackCaptionButtons(SkinnedWindow *rec, WPARAM hitTest)
{
    CaptionButtonState *buttons = ButtonsOf(rec);
    const int button = ButtonAtHitTest(hitTest);
    if (button == 0) {
        ResetButtons(rec);
        return 0;
    }

    int *state = StateOfButton(buttons, button);
    if (buttons->pressActive == 0) {
        if (*state == CBST_HOT)
            return 0;
        SetAll(buttons, CBST_NORMAL);
        *state = CBST_HOT;
    } else if (buttons->pressedButton == button) {
        if (*state == CBST_PRESSED)
            return 0;
        *state = CBST_PRESSED;
    } else if (buttons->pressedButton == 0) {
        return 0;
    } else {
        // Away from the pressed button, which shows normal until the cursor
        // comes back.
        const int hovered = *state;
        SetAll(buttons, CBST_NORMAL);
        *state = hovered;
    }
    RepaintPartNow(rec, DIALOG_CAPTION_BUTTONS);
    return 0;
}

// A captured client-area point as the screen point of a non-client message.
// Each coordinate wraps at 16 bits as the message packing does, so points
// above or left of the client area (the caption among them) come out as the
// right signed screen coordinates.
static LPARAM ClientToScreenPoint(HWND hwnd, LPARAM lParam)
{
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &point);
    return static_cast<LPARAM>((static_cast<DWORD>(point.y & 0xFFFF) << 16) | static_cast<DWORD>(point.x & 0xFFFF));
}

LRESULT HandleDialogMouseMove(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    if (ButtonsOf(rec)->pressActive == 0) {
        ResetButtons(rec);
        return ForwardMessage(rec, WM_MOUSEMOVE, wParam, lParam);
    }
    const LRESULT hitTest = ForwardMessage(rec, WM_NCHITTEST, wParam, ClientToScreenPoint(rec->hwnd, lParam));
    if (!rec->released)
        TrackCaptionButtons(rec, static_cast<WPARAM>(hitTest));
    return 0;
}

LRESULT HandleDialogButtonUp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    if (ButtonsOf(rec)->pressActive == 0)
        return ForwardMessage(rec, WM_LBUTTONUP, wParam, lParam);
    const LPARAM screenPoint = ClientToScreenPoint(rec->hwnd, lParam);
    const LRESULT hitTest = ForwardMessage(rec, WM_NCHITTEST, wParam, screenPoint);
    if (rec->released)
        return 0;
    return ReleaseCaptionButton(rec, static_cast<WPARAM>(hitTest), screenPoint);
}
