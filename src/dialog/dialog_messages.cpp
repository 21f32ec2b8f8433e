// Message handling of skinned dialogs: the library paints the non-client
// area and the background, follows activation and runs the caption buttons;
// the host's dialog procedure sees everything else.
#include "dialog.h"

#include <commctrl.h>

#include "../scroll/scroll.h"

// The region follows every change of size: square corners while maximised,
// a rounded region of the new size otherwise. A minimised dialog keeps the
// region it had.
int UpdateDialogRegionOnSize(SkinnedWindow *rec, WPARAM sizeType)
{
    if (sizeType == SIZE_MAXHIDE)
        return 0;
    const HWND hwnd = rec->hwnd;
    if (IsZoomed(hwnd)) {
        rec->windowRegion = nullptr;
        SetWindowRgn(hwnd, nullptr, TRUE);
    } else if (sizeType == SIZE_RESTORED) {
        InstallDialogRegion(rec);
    }
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    return 1;
}

// The host's procedure lays its controls out on WM_SIZE, after the frame
// has followed; it gets the message even if it released the skin meanwhile.
static LRESULT DialogSize(SkinnedWindow *rec, WPARAM sizeType, LPARAM lParam)
{
    UpdateDialogRegionOnSize(rec, sizeType);
    return IsWindow(rec->hwnd) ? ForwardMessage(rec, WM_SIZE, sizeType, lParam) : 0;
}

static const LPCWSTR ArrowCursor = MAKEINTRESOURCEW(32512);  // IDC_ARROW

// A resizable dialog shows the system's sizing cursors on its borders.
// Others set no cursor of their own over their frame or caption, only the
// arrow over the dialog itself, so that no stale shape stays; a child
// under the cursor sets its own afterwards.
static LRESULT DialogSetCursor(SkinnedWindow *rec, HWND target, WPARAM wParam, LPARAM lParam)
{
    if (GetWindowLongW(rec->hwnd, GWL_STYLE) & WS_THICKFRAME)
        return ForwardMessage(rec, WM_SETCURSOR, wParam, lParam);
    if (target == rec->hwnd)
        SetCursor(LoadCursorW(nullptr, ArrowCursor));
    return 0;
}

// At a new DPI the corners of the region and every size of the frame
// change: the host's procedure moves the dialog to the suggested place
// first, then the next frame paint installs a region at the new size.
static LRESULT DialogDpiChanged(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_DPICHANGED, wParam, lParam);
    if (rec->released)
        return result;
    rec->windowRegion = nullptr;
    RedrawWindow(rec->hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME | RDW_ALLCHILDREN);
    return result;
}

static void SetActive(SkinnedWindow *rec, bool active)
{
    if (active)
        rec->state |= SKS_FOCUSED;
    else
        rec->state &= ~SKS_FOCUSED;
}

// The whole wParam decides: a minimised window being activated still counts
// as active, although its low word is WA_INACTIVE.
static LRESULT DialogActivate(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_ACTIVATE, wParam, lParam);
    if (rec->released)
        return result;
    SetActive(rec, wParam != 0);
    RepaintFrameNow(rec);
    return result;
}

// The new look shows at the next caption paint.
static LRESULT DialogActivateApp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    ForwardMessage(rec, WM_ACTIVATEAPP, wParam, lParam);
    SetActive(rec, wParam != 0);
    return 0;
}

// The caption stays active until WM_ACTIVATE says otherwise, so that a
// deactivation repaints once, after both messages.
static LRESULT DialogNcActivate(SkinnedWindow *rec)
{
    rec->state |= SKS_FOCUSED;
    RepaintPartNow(rec, DIALOG_CAPTION);
    return 1;
}

static LRESULT ForwardThenRepaintCaption(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, msg, wParam, lParam);
    RepaintPartNow(rec, DIALOG_CAPTION);
    return result;
}

static LRESULT RepaintCaptionThenForward(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    RepaintPartNow(rec, DIALOG_CAPTION);
    return ForwardMessage(rec, msg, wParam, lParam);
}

// A skinned child's custom draw and colours that the host's procedure left
// unanswered (no answer reads as 0, CDRF_DODEFAULT, or as the default
// procedure's system brush) are answered in the face. Custom draw comes for
// every item of every paint and changes nothing in the caption.
static LRESULT DialogNotify(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const auto *header = reinterpret_cast<const NMHDR *>(lParam);
    LRESULT result = ForwardMessage(rec, WM_NOTIFY, wParam, lParam);
    if (header == nullptr || header->code != NM_CUSTOMDRAW) {
        RepaintPartNow(rec, DIALOG_CAPTION);
        return result;
    }
    if (result == 0)
        result = AnswerForChild(header->hwndFrom, WM_NOTIFY, wParam, lParam, result);
    return result;
}

static LRESULT DialogChildColour(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, msg, wParam, lParam);
    return AnswerForChild(reinterpret_cast<HWND>(lParam), msg, wParam, lParam, result);
}

LRESULT HandleDialogMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        return DialogSize(rec, wParam, lParam);
    case WM_DPICHANGED:
        return DialogDpiChanged(rec, wParam, lParam);
    case WM_ACTIVATE:
        return DialogActivate(rec, wParam, lParam);
    case WM_ACTIVATEAPP:
        return DialogActivateApp(rec, wParam, lParam);
    case WM_NCACTIVATE:
        return DialogNcActivate(rec);
    // Messages that change what the caption shows: the host's procedure
    // acts first, then the caption follows.
    case WM_SETTEXT:
    case WM_SETICON:
        return ForwardThenRepaintCaption(rec, msg, wParam, lParam);
    case WM_NOTIFY:
        return DialogNotify(rec, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        return DialogChildColour(rec, msg, wParam, lParam);
    case WM_NCRBUTTONUP:
        return RepaintCaptionThenForward(rec, msg, wParam, lParam);
    case WM_SETCURSOR:
        return DialogSetCursor(rec, reinterpret_cast<HWND>(wParam), wParam, lParam);
    // No system menu from a right click.
    case WM_NCRBUTTONDOWN:
        return 0;
    case WM_NCMOUSEMOVE:
        return TrackCaptionButtons(rec, wParam);
    case WM_NCLBUTTONDOWN:
        return PressCaptionButton(rec, wParam, lParam);
    case WM_NCLBUTTONUP:
        return ReleaseCaptionButton(rec, wParam, lParam);
    case WM_MOUSEMOVE:
        return HandleDialogMouseMove(rec, wParam, lParam);
    case WM_LBUTTONUP:
        return HandleDialogButtonUp(rec, wParam, lParam);
    // The dialog's own scroll bars, and everything else.
    default:
        return HandleFrameBarsMessage(rec, msg, wParam, lParam);
    }
}

static void SetUpDialog(SkinnedWindow *rec, LONG)
{
    ShowComposedFrame(rec->hwnd, false);
}

// The rounded region goes with the skin: a released window is square again,
// with the composed frame back.
void TearDownFrame(SkinnedWindow *rec)
{
    if (rec->windowRegion != nullptr) {
        rec->windowRegion = nullptr;
        SetWindowRgn(rec->hwnd, nullptr, FALSE);
    }
    ShowComposedFrame(rec->hwnd, true);
}

// The whole frame is the skin's, its menu bar included but for the bar's
// bitmap and owner-drawn items. The host's own drawing goes over the
// tile, which a child can also ask for in its own DC through
// WM_PRINTCLIENT: a label, or a transparent toolbar.
const SkinClass DialogClass = {L"#32770", nullptr, CK_DIALOG, HandleDialogMessage, SetUpDialog,
                               sizeof(CaptionButtonState), PaintDialogFrame, TearDownFrame, nullptr, PAINTS_FRAME,
                               PAINT_FILLS_FRAME | PAINT_OWN_SCROLL_BARS, nullptr, PaintDialogPart};
