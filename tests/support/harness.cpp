#include "harness.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "kinds.h"

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

static INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// DLGTEMPLATE strings are UTF-16 whatever the A or W call.
static void AppendWide(std::vector<WORD> *words, const char *text)
{
    for (; *text != '\0'; ++text)
        words->push_back(static_cast<BYTE>(*text));
    words->push_back(0);
}

std::vector<WORD> DialogTemplate(DWORD style, const char *title, short cx, short cy)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto *header = reinterpret_cast<DLGTEMPLATE *>(words.data());
    header->style = style | DS_SETFONT;
    header->x = 10;
    header->y = 10;
    header->cx = cx;
    header->cy = cy;
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    AppendWide(&words, title);
    words.push_back(8);
    AppendWide(&words, "MS Shell Dlg");
    return words;
}

void AppendDialogItem(std::vector<WORD> *words, const char *className, const char *text, DWORD style, short x,
                      short y, short cx, short cy, WORD id, DWORD exStyle)
{
    // Items start on a DWORD boundary.
    if (words->size() % 2 != 0)
        words->push_back(0);
    const size_t at = words->size();
    words->resize(at + sizeof(DLGITEMTEMPLATE) / sizeof(WORD));
    auto *item = reinterpret_cast<DLGITEMTEMPLATE *>(&(*words)[at]);
    item->style = style | WS_CHILD | WS_VISIBLE;
    item->dwExtendedStyle = exStyle;
    item->x = x;
    item->y = y;
    item->cx = cx;
    item->cy = cy;
    item->id = id;
    AppendWide(words, className);
    AppendWide(words, text);
    words->push_back(0);  // no creation data
    ++reinterpret_cast<DLGTEMPLATE *>(words->data())->cdit;
}

HWND CreateTestDialog(DWORD style, int width, int height, const char *title, DLGPROC dialogProc,
                      LPARAM param)
{
    std::vector<WORD> words = DialogTemplate(style, title, 100, 60);
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                             reinterpret_cast<DLGTEMPLATE *>(words.data()), nullptr,
                                             dialogProc != nullptr ? dialogProc : PlainDialogProc, param);
    SetWindowPos(dialog, nullptr, 40, 40, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    return dialog;
}

HWND CreateChild(HWND parent, const char *className, DWORD style, int x, int y, int width, int height,
                 int id, const char *text)
{
    HWND child = CreateWindowExA(0, className, text, style | WS_CHILD | WS_VISIBLE, x, y, width, height,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
    return child;
}

void Click(HWND hwnd, int x, int y)
{
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    if (IsWindow(hwnd))
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

COLORREF ReadWindowPixel(HWND hwnd, int x, int y)
{
    HDC dc = GetWindowDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}

bool ColoursNear(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

::testing::AssertionResult PixelIs(HWND hwnd, int x, int y, COLORREF expected, int tolerance)
{
    const COLORREF actual = ReadWindowPixel(hwnd, x, y);
    if (actual != CLR_INVALID && ColoursNear(actual, expected, tolerance))
        return ::testing::AssertionSuccess();
    char text[96];
    std::snprintf(text, sizeof text, "pixel (%d, %d) is 0x%06lX, expected 0x%06lX", x, y,
                  static_cast<unsigned long>(actual), static_cast<unsigned long>(expected));
    return ::testing::AssertionFailure() << text;
}

POINT FindHitPoint(HWND dialog, LRESULT code)
{
    RECT window;
    GetWindowRect(dialog, &window);
    const int y = window.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = window.right - 1; x >= window.left; --x) {
        if (SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code)
            return {x, y};
    }
    return {-1, -1};
}

bool InsideRegion(HWND hwnd, int x, int y)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool inside = GetWindowRgn(hwnd, region) != ERROR && PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

static BOOL CALLBACK KeepShownDialog(HWND window, LPARAM found)
{
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND ShownDialogOfThisThread()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepShownDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void FillWindow(HWND hwnd, COLORREF colour)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    RECT whole = {0, 0, window.right - window.left, window.bottom - window.top};
    HDC dc = GetWindowDC(hwnd);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &whole, brush);
    DeleteObject(brush);
    ReleaseDC(hwnd, dc);
}

int MessageLog::Count(UINT msg) const
{
    int count = 0;
    for (const LoggedMessage &logged : messages)
        count += logged.msg == msg;
    return count;
}

static std::string DescribeMessages(const std::vector<LoggedMessage> &messages)
{
    std::string text;
    char line[96];
    for (const LoggedMessage &logged : messages) {
        std::snprintf(line, sizeof line, "  msg 0x%04x wParam 0x%llx lParam 0x%llx\n", logged.msg,
                      static_cast<unsigned long long>(logged.wParam),
                      static_cast<unsigned long long>(logged.lParam));
        text += line;
    }
    return text;
}

std::string KindParamName(const testing::TestParamInfo<TestKind> &info)
{
    std::string name;
    for (const char *c = info.param.name; *c != '\0'; ++c) {
        if (isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    }
    return name;
}

std::string MessageLog::Describe() const
{
    return DescribeMessages(messages);
}

void ExpectSequence(const std::vector<LoggedMessage> &seen, const std::vector<ExpectedMessage> &expected,
                    const char *name, const std::vector<UINT> &watched)
{
    auto named = [&](UINT msg) {
        for (const ExpectedMessage &e : expected) {
            if (e.msg == msg)
                return true;
        }
        for (UINT w : watched) {
            if (w == msg)
                return true;
        }
        return false;
    };
    std::vector<LoggedMessage> compared;
    for (const LoggedMessage &logged : seen) {
        if (named(logged.msg))
            compared.push_back(logged);
    }
    size_t at = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const ExpectedMessage &e = expected[i];
        const bool matches = at < compared.size() && compared[at].msg == e.msg &&
                             ((e.flags & SEQ_WPARAM) == 0 || compared[at].wParam == e.wParam);
        if (matches) {
            ++at;
        } else if ((e.flags & SEQ_OPTIONAL) == 0) {
            ADD_FAILURE() << name << ": expected message " << i << " (0x" << std::hex << e.msg << ") not seen there;"
                          << " seen:\n" << DescribeMessages(seen);
            return;
        }
    }
    if (at < compared.size())
        ADD_FAILURE() << name << ": message 0x" << std::hex << compared[at].msg << " after the expected ones;"
                      << " seen:\n" << DescribeMessages(seen);
}

struct LoggingSubclass {
    MessageLog *log;
    WNDPROC previous;
};

static const char LoggingProperty[] = "velk.test.log";

static LRESULT CALLBACK LoggingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto *subclass = static_cast<LoggingSubclass *>(GetPropA(hwnd, LoggingProperty));
    subclass->log->messages.push_back({hwnd, msg, wParam, lParam});
    const WNDPROC previous = subclass->previous;
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, LoggingProperty);
        delete subclass;
    }
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

void StartLogging(HWND hwnd, MessageLog *log)
{
    auto *subclass = new LoggingSubclass{log, nullptr};
    SetPropA(hwnd, LoggingProperty, subclass);
    subclass->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LoggingWndProc)));
}

void StopLogging(HWND hwnd)
{
    auto *subclass = static_cast<LoggingSubclass *>(RemovePropA(hwnd, LoggingProperty));
    if (subclass == nullptr)
        return;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass->previous));
    delete subclass;
}

double Milliseconds()
{
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int CountGdiObjects()
{
    int count = 0;
    for (ULONG_PTR handle = 1; handle <= 0xFFFF; ++handle)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) != 0;
    return count;
}

HWND WaitForShownWindow(const char *className, const char *title, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        HWND window = FindWindowA(className, title);
        if (window != nullptr && IsWindowVisible(window))
            return window;
        Sleep(20);
    }
    return nullptr;
}

void AwaitPixels(std::vector<NamedPixel> *pixels, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        bool all = true;
        HDC screen = GetDC(nullptr);
        for (NamedPixel &pixel : *pixels) {
            RECT rect;
            GetWindowRect(pixel.window, &rect);
            pixel.seen = GetPixel(screen, rect.left + pixel.at.x, rect.top + pixel.at.y);
            all = all && pixel.seen == pixel.expected;
        }
        ReleaseDC(nullptr, screen);
        if (all || GetTickCount() - start >= milliseconds)
            return;
        Sleep(20);
    }
}
