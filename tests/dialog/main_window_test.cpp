// Main and tool windows: their frame and caption in the face, and every
// caption button, border and state doing what the system's does.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/skin.h"
#include "support/harness.h"
#include "support/import_patch.h"
#include "support/window_pixels.h"

namespace {

const COLORREF HostBackground = RGB(10, 200, 30);

LRESULT CALLBACK OwnLayoutProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The whole window is client area: the procedure draws its own frame.
    if (msg == WM_NCCALCSIZE)
        return 0;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The calls that turn a composed frame off and on: window, policy.
std::vector<std::pair<HWND, DWORD>> policies;

HRESULT WINAPI RecordPolicy(HWND hwnd, DWORD attribute, LPCVOID value, DWORD)
{
    if (attribute == 2)  // DWMWA_NCRENDERING_POLICY
        policies.emplace_back(hwnd, *static_cast<const DWORD *>(value));
    return S_OK;
}

// The program's own import, which the patch below replaces.
FARPROC(WINAPI *systemGetProcAddress)(HMODULE, LPCSTR) = nullptr;

FARPROC WINAPI GetProcAddressRecordingPolicy(HMODULE module, LPCSTR name)
{
    if (reinterpret_cast<ULONG_PTR>(name) > 0xFFFF && lstrcmpA(name, "DwmSetWindowAttribute") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void *>(RecordPolicy));
    return systemGetProcAddress(module, name);
}

class MainWindowFrame : public ::testing::Test {
protected:
    // Before the library's first framed window, which loads the switch.
    static void SetUpTestSuite()
    {
        systemGetProcAddress = reinterpret_cast<decltype(systemGetProcAddress)>(
            PatchImport(LibraryModule(), "kernel32.dll", "GetProcAddress",
                        reinterpret_cast<void *>(GetProcAddressRecordingPolicy)));
        WNDCLASSW windowClass = {CS_DBLCLKS, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr)};
        windowClass.hbrBackground = CreateSolidBrush(HostBackground);
        windowClass.lpszClassName = L"VelkMainTest";
        RegisterClassW(&windowClass);
        windowClass.lpfnWndProc = OwnLayoutProc;
        windowClass.lpszClassName = L"VelkOwnLayoutTest";
        RegisterClassW(&windowClass);
    }

    HWND Make(const wchar_t *className, DWORD style, DWORD exStyle = 0)
    {
        window = CreateWindowExW(exStyle, className, L"Main", style | WS_VISIBLE, 100, 100, 320, 240, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(window);
        AttachWindow(window);
        PumpMessages(50);
        return window;
    }

    void TearDown() override { DestroyWindow(window); }

    // The caption band's middle row, in window coordinates.
    int CaptionRow() const
    {
        RECT frame = {0, 0, 0, 0};
        AdjustWindowRectEx(&frame, GetWindowLongW(window, GWL_STYLE), FALSE, GetWindowLongW(window, GWL_EXSTYLE));
        const bool small = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        return frame.bottom + GetSystemMetrics(small ? SM_CYSMCAPTION : SM_CYCAPTION) / 2;
    }

    // A screen point where the window's own hit test answers code: along
    // the caption's middle from the right, or across a border's middle,
    // clear of the rounded region's last row and column.
    POINT HitPoint(LRESULT code) const
    {
        RECT r;
        GetWindowRect(window, &r);
        std::vector<POINT> points;
        for (int x = r.right - 1; x >= r.left; --x)
            points.push_back({x, r.top + CaptionRow()});
        for (int d = 2; d < 12; ++d) {
            const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
            points.insert(points.end(), {{r.left + d, midY}, {r.right - 1 - d, midY}, {midX, r.top + d}, {midX, r.bottom - 1 - d}});
        }
        for (const POINT &point : points) {
            if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) == code)
                return point;
        }
        ADD_FAILURE() << "no point answers hit test " << code;
        return {r.left, r.top};
    }

    // Real presses at from, each with a move by (dx, dy) and the release,
    // as the mouse sends them. The system's move and size loops read them
    // one by one, so a second thread sends them spaced while this one runs
    // the loops.
    void Drag(POINT from, int dx, int dy, int clicks = 1)
    {
        SetCursorPos(from.x, from.y);
        PumpMessages(20);
        static INPUT presses[3] = {};
        presses[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        presses[1].mi = {dx, dy, 0, MOUSEEVENTF_MOVE};
        presses[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        HANDLE sender = CreateThread(
            nullptr, 0,
            [](void *clicks) -> DWORD {
                for (INT_PTR i = 0; i < 3 * reinterpret_cast<INT_PTR>(clicks); ++i) {
                    presses[i % 3].type = INPUT_MOUSE;
                    SendInput(1, &presses[i % 3], sizeof(INPUT));
                    Sleep(40);
                }
                return 0;
            },
            reinterpret_cast<void *>(static_cast<INT_PTR>(clicks)), 0, nullptr);
        while (MsgWaitForMultipleObjects(1, &sender, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            PumpMessages();
        CloseHandle(sender);
        PumpMessages(60);
    }

    HWND window = nullptr;
};

TEST_F(MainWindowFrame, FrameAndCaptionInTheFaceClientAreaTheHosts)
{
    struct Case {
        const char *name;
        DWORD style;
        DWORD exStyle;
    } cases[] = {
        {"main window", WS_OVERLAPPEDWINDOW, 0},
        {"fixed main window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0},
        {"tool window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW},
        {"help button", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP},
    };
    const Face &face = *CurrentFace();
    for (const Case &c : cases) {
        Make(L"VelkMainTest", c.style, c.exStyle);
        ASSERT_NE(FindSkinnedWindow(window), nullptr) << c.name;
        EXPECT_EQ(ClassifyWindow(window), CK_MAINWINDOW) << c.name;
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_TRUE(PixelIs(window, 1, (rect.bottom - rect.top) / 2, face.dialogFrame)) << c.name;
        EXPECT_FALSE(PixelIs(window, 40, CaptionRow(), GetSysColor(COLOR_ACTIVECAPTION))) << c.name;
        EXPECT_TRUE(Shows(window, face.activeCaption[0])) << c.name;
        POINT client = {10, 10};
        ClientToScreen(window, &client);
        EXPECT_TRUE(PixelIs(window, client.x - rect.left, client.y - rect.top, HostBackground)) << c.name;
        DestroyWindow(window);
    }
    window = nullptr;
}

TEST_F(MainWindowFrame, ButtonsBordersAndCaptionDoWhatTheSystemDoes)
{
    struct Case {
        const char *name;
        LRESULT hitTest;
        int dx, dy, clicks;
        WPARAM command;  // the WM_SYSCOMMAND the host hears, 0 for none
    } cases[] = {
        {"close button", HTCLOSE, 0, 0, 1, SC_CLOSE},
        {"maximise button", HTMAXBUTTON, 0, 0, 1, SC_MAXIMIZE},
        {"minimise button", HTMINBUTTON, 0, 0, 1, SC_MINIMIZE},
        {"caption double-click", HTCAPTION, 0, 0, 2, SC_MAXIMIZE},
        {"left border", HTLEFT, -15, 0, 1, SC_SIZE},
        {"right border", HTRIGHT, 15, 0, 1, SC_SIZE},
        {"top border", HTTOP, 0, -15, 1, SC_SIZE},
        {"bottom border", HTBOTTOM, 0, 15, 1, SC_SIZE},
    };
    for (const Case &c : cases) {
        Make(L"VelkMainTest", WS_OVERLAPPEDWINDOW);
        MessageLog log;
        StartLogging(window, &log);
        RECT before;
        GetWindowRect(window, &before);
        Drag(HitPoint(c.hitTest), c.dx, c.dy, c.clicks);
        EXPECT_TRUE(std::any_of(log.messages.begin(), log.messages.end(), [&](const LoggedMessage &m) {
            return m.msg == WM_SYSCOMMAND && (m.wParam & 0xFFF0) == c.command;
        })) << c.name << "\n" << log.Describe();
        RECT after;
        GetWindowRect(window, &after);
        if (c.command == SC_SIZE) {
            // The dragged edge moves out, the others stay.
            const int moves[4] = {before.left - after.left, before.top - after.top, after.right - before.right,
                                  after.bottom - before.bottom};
            const bool dragged[4] = {c.dx < 0, c.dy < 0, c.dx > 0, c.dy > 0};
            for (int edge = 0; edge < 4; ++edge)
                EXPECT_EQ(moves[edge] > 0, dragged[edge]) << c.name << " edge " << edge << " moved " << moves[edge];
        }
        if (c.command == SC_MAXIMIZE || c.command == SC_MINIMIZE) {
            EXPECT_TRUE(c.command == SC_MAXIMIZE ? IsZoomed(window) : IsIconic(window)) << c.name;
            // The caption of the new state is the face's.
            EXPECT_TRUE(Shows(window, CurrentFace()->dialogFrame)) << c.name;
        }
        if (c.command == SC_MAXIMIZE && c.clicks == 1) {
            log.Clear();
            Drag(HitPoint(HTMAXBUTTON), 0, 0);
            EXPECT_FALSE(IsZoomed(window)) << c.name << " was not restored";
            EXPECT_EQ(log.Count(WM_SYSCOMMAND), 1) << c.name;
        }
        StopLogging(window);
        if (IsWindow(window))
            DestroyWindow(window);
    }
    window = nullptr;
}

TEST_F(MainWindowFrame, ComposedFrameOffWhileSkinnedAndLayoutsOfTheirOwnLeftAlone)
{
    policies.clear();
    Make(L"VelkMainTest", WS_OVERLAPPEDWINDOW);
    DetachWindow(window);
    const std::vector<std::pair<HWND, DWORD>> offThenOn = {{window, 1}, {window, 0}};
    EXPECT_EQ(policies, offThenOn);
    DestroyWindow(window);

    Make(L"VelkOwnLayoutTest", WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(FindSkinnedWindow(window), nullptr);
}

}  // namespace
