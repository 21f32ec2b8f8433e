// Message handling of the button kinds: push buttons, check boxes, radio
// buttons, group boxes and labels.
#include "buttons.h"

// Sets or clears bits and repaints.
static void ChangeState(SkinnedWindow *rec, DWORD set, DWORD clear)
{
    rec->state = (rec->state & ~clear) | set;
    RepaintNow(rec);
}

// Group boxes are see-through and never erase, so a new caption would land
// on the old one. The parent repaints what lies behind them
// first, then the control paints itself in that same pass.
static void RefreshSeeThrough(HWND hwnd)
{
    HWND parent = GetParent(hwnd);
    const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW;
    if (parent == nullptr || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        RedrawWindow(hwnd, nullptr, nullptr, flags);
        return;
    }
    RECT area;
    GetWindowRect(hwnd, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&area), 2);
    RedrawWindow(parent, &area, nullptr, flags | RDW_ALLCHILDREN);
}

// The standard control's own WM_SETTEXT would paint the old look. The text
// is in the window's character set, as the default procedure takes it.
static LRESULT ButtonSetText(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = DefaultMessage(rec, WM_SETTEXT, wParam, lParam);
    if (rec->skinClass != &GroupBoxClass)
        RepaintNow(rec);
    else if (!rec->released)
        RefreshSeeThrough(rec->hwnd);
    return result;
}

LRESULT SetButtonIcon(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    if (rec->buttonIcon != nullptr) {
        DestroyIcon(rec->buttonIcon);
        rec->buttonIcon = nullptr;
    }
    // Without LR_COPYRETURNORG every copy is a new icon of our own, even when
    // the host's icon is already monochrome; that one stays the host's.
    const HANDLE icon = reinterpret_cast<HANDLE>(lParam);
    if (icon != nullptr)
        rec->buttonIcon = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 0, 0, LR_MONOCHROME));
    return ForwardMessage(rec, WM_SETICON, wParam, lParam);
}

static LRESULT ButtonSetCheck(SkinnedWindow *rec, WPARAM check, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, BM_SETCHECK, check, lParam);
    DWORD set = 0;
    if (check == BST_CHECKED)
        set = SKS_CHECKED;
    else if (check == BST_INDETERMINATE)
        set = SKS_INDETERMINATE;
    ChangeState(rec, set, SKS_CHECKED | SKS_INDETERMINATE);
    return result;
}

static LRESULT ButtonSetState(SkinnedWindow *rec, WPARAM pressed, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, BM_SETSTATE, pressed, lParam);
    ChangeState(rec, pressed != 0 ? DWORD{SKS_PRESSED} : 0, SKS_PRESSED);
    return result;
}

static LRESULT ButtonSetStyle(SkinnedWindow *rec, WPARAM style, LPARAM lParam)
{
    // The whole type is compared, as at attach: a push-like BS_AUTOCHECKBOX
    // (3) also has the low bit set, yet is no default button.
    // The repaint runs before the previous procedure applies the new style.
    ChangeState(rec, (style & ButtonTypeBits) == BS_DEFPUSHBUTTON ? DWORD{SKS_DEFAULT} : 0, SKS_DEFAULT);
    return ForwardMessage(rec, BM_SETSTYLE, style, lParam);
}

// Push buttons carry out their own click; the standard control never sees
// the press, so it takes no capture.
static LRESULT PushButtonPress(SkinnedWindow *rec)
{
    SetFocus(rec->hwnd);
    ChangeState(rec, SKS_PRESSED, 0);
    return 0;
}

static LRESULT PushButtonRelease(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    ReleaseCapture();
    // The click is the release reaching the button: the notification goes
    // out while the button still shows pressed.
    HWND parent = GetParent(hwnd);
    if (parent != nullptr)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd) & 0xFFFF, BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
    ChangeState(rec, 0, SKS_PRESSED);
    return 0;
}

static LRESULT ButtonMouseLeave(SkinnedWindow *rec)
{
    ChangeState(rec, 0, SKS_HOT | SKS_PRESSED);
    return 0;
}

// A skinned button of this thread that lost the focus drops its focused look,
// even when a subclass above it swallowed its WM_KILLFOCUS. It is repainted
// directly: a second WM_KILLFOCUS would reach the host's procedures too.
// The lookup is of the other window's record.
static void DropLostFocusLook(HWND lostFocus)
{
    SkinnedWindow *lost = FindSkinnedWindow(lostFocus);
    if (lost != nullptr && lost->skinClass->handler == HandleButtonMessage && (lost->state & SKS_FOCUSED) != 0)
        ChangeState(lost, 0, SKS_FOCUSED);
}

static LRESULT ButtonSetFocus(SkinnedWindow *rec, HWND lostFocus, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_SETFOCUS, reinterpret_cast<WPARAM>(lostFocus), lParam);
    if (lostFocus != nullptr && lostFocus != rec->hwnd)
        DropLostFocusLook(lostFocus);
    ChangeState(rec, SKS_FOCUSED, 0);
    return result;
}

static LRESULT ButtonKillFocus(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_KILLFOCUS, wParam, lParam);
    ChangeState(rec, 0, SKS_FOCUSED);
    return result;
}

static LRESULT ButtonEnable(SkinnedWindow *rec, WPARAM enabled, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_ENABLE, enabled, lParam);
    if (enabled != 0)
        ChangeState(rec, 0, SKS_DISABLED);
    else
        ChangeState(rec, SKS_DISABLED, 0);
    return result;
}

static LRESULT ButtonMouseMove(SkinnedWindow *rec, WPARAM keys, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_MOUSEMOVE, keys, lParam);
    // Moving in with the left button held shows no hover: the press belongs
    // to another window.
    if (rec->released || (rec->state & SKS_HOT) != 0 || (keys & MK_LBUTTON) != 0)
        return result;
    const HWND hwnd = rec->hwnd;
    ChangeState(rec, SKS_HOT, 0);
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&track);
    return result;
}

// Push buttons carry out their own click. Push-like check boxes and radio
// buttons leave it to the standard control, which toggles and groups them.
static bool CarriesOutOwnClick(const SkinnedWindow *rec)
{
    if (rec->skinClass != &PushButtonClass)
        return false;
    const LONG type = GetWindowLongW(rec->hwnd, GWL_STYLE) & ButtonTypeBits;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

LRESULT HandleButtonMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETTEXT:
        return ButtonSetText(rec, wParam, lParam);
    case WM_SETICON:
        return SetButtonIcon(rec, wParam, lParam);
    case BM_SETCHECK:
        return ButtonSetCheck(rec, wParam, lParam);
    case BM_SETSTATE:
        return ButtonSetState(rec, wParam, lParam);
    case BM_SETSTYLE:
        return ButtonSetStyle(rec, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return CarriesOutOwnClick(rec) ? PushButtonPress(rec) : ForwardMessage(rec, msg, wParam, lParam);
    case WM_LBUTTONUP:
        return CarriesOutOwnClick(rec) ? PushButtonRelease(rec) : ForwardMessage(rec, msg, wParam, lParam);
    case WM_MOUSELEAVE:
        return ButtonMouseLeave(rec);
    case WM_SETFOCUS:
        return ButtonSetFocus(rec, reinterpret_cast<HWND>(wParam), lParam);
    case WM_KILLFOCUS:
        return ButtonKillFocus(rec, wParam, lParam);
    case WM_ENABLE:
        return ButtonEnable(rec, wParam, lParam);
    case WM_MOUSEMOVE:
        return ButtonMouseMove(rec, wParam, lParam);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

// A push button whose control identifier names an icon resource of its own
// module shows that icon, where both the icon and the caption fit. The
// standard command identifiers are left out: IDOK is 1, and icon 1 is most
// modules' own icon, which would push the caption out of OK.
static void LoadPushButtonIcon(HWND hwnd)
{
    const WORD id = LOWORD(GetDlgCtrlID(hwnd));
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
    // Identifier 0 names no resource, and a null module would make LoadIconW
    // hand out one of the system's predefined icons instead.
    if (id == 0 || (id >= IDOK && id <= IDCONTINUE) || module == nullptr)
        return;
    HICON icon = LoadIconW(module, MAKEINTRESOURCEW(id));
    if (icon != nullptr && ButtonIconFits(hwnd, icon))
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

// A push button that shows an icon already keeps it, and the disabled look
// gets its copy: the host set it before the skin came, or while the skin
// stepped aside for high contrast. Any other push button looks for its
// icon resource.
static void SetUpPushButtonIcon(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    HICON shown = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (rec->released)
        return;
    if (shown != nullptr)
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(shown));
    else
        LoadPushButtonIcon(hwnd);
}

static void SetUpButtonKind(SkinnedWindow *rec, LONG style)
{
    if ((style & ButtonTypeBits) == BS_DEFPUSHBUTTON)
        rec->state |= SKS_DEFAULT;
    const LRESULT check = SendMessageW(rec->hwnd, BM_GETCHECK, 0, 0);
    // The message ran through the subclass and may have ended in host code.
    if (rec->released)
        return;
    if (check == BST_CHECKED)
        rec->state |= SKS_CHECKED;
    else if (check == BST_INDETERMINATE)
        rec->state |= SKS_INDETERMINATE;
    if (rec->skinClass == &PushButtonClass)
        SetUpPushButtonIcon(rec);
}

// The standard control never paints; the default procedure's BeginPaint
// draws a bordered label's border, which is the control's own, on screen and
// in print.
const SkinClass PushButtonClass = {L"Button", nullptr, CK_PUSHBUTTON, HandleButtonMessage, SetUpButtonKind, 0,
                                   PaintPushButton, nullptr, nullptr, PAINTS_INSTEAD, ERASE_BY_CONTROL, nullptr,
                                   nullptr};
const SkinClass CheckBoxClass = {L"Button", nullptr, CK_CHECKBOX, HandleButtonMessage, SetUpButtonKind, 0,
                                 PaintCheckBox, nullptr, nullptr, PAINTS_INSTEAD, 0, nullptr, nullptr};
const SkinClass RadioButtonClass = {L"Button", nullptr, CK_RADIOBUTTON, HandleButtonMessage, SetUpButtonKind, 0,
                                    PaintRadioButton, nullptr, nullptr, PAINTS_INSTEAD, 0, nullptr, nullptr};
const SkinClass GroupBoxClass = {L"Button", nullptr, CK_GROUPBOX, HandleButtonMessage, SetUpButtonKind, 0,
                                 PaintGroupBox, nullptr, nullptr, PAINTS_INSTEAD, 0, nullptr, nullptr};

// Check boxes and radio buttons that look like push buttons are drawn as
// push buttons; user, push-box and owner-drawn buttons keep their own look.
static const SkinClass *ButtonRowOfStyle(const SkinClass *, LONG style)
{
    const bool pushLike = (style & BS_PUSHLIKE) != 0;
    switch (style & ButtonTypeBits) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return &PushButtonClass;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return pushLike ? &PushButtonClass : &CheckBoxClass;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return pushLike ? &PushButtonClass : &RadioButtonClass;
    case BS_GROUPBOX:
        return &GroupBoxClass;
    default:
        return nullptr;
    }
}

// Only the plain text types: SS_LEFT, SS_CENTER and the two etched lines.
// Every other type has one of the bits 0x0E (right-aligned text, icons,
// bitmaps, rectangles and frames).
static const LONG StaticNonLabelBits = 0x0E;

static const SkinClass *StaticRowOfStyle(const SkinClass *row, LONG style)
{
    if ((style & SS_TYPEMASK) == SS_ICON)
        return &IconStaticClass;
    return (style & StaticNonLabelBits) == 0 ? row : nullptr;
}

// The class table's row of "Button" picks the kind's row by style.
const SkinClass ButtonClass = {L"Button", ButtonRowOfStyle, CK_NONE, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                               PAINTS_BY_HANDLER, 0, nullptr, nullptr};
const SkinClass StaticClass = {L"Static", StaticRowOfStyle, CK_LABEL, HandleButtonMessage, SetUpButtonKind, 0,
                               PaintLabel, nullptr, nullptr, PAINTS_INSTEAD, 0, nullptr, nullptr};
