// Measures what the skin costs a host: every figure is taken against the same
// work on the same windows unskinned, in the same run, as the median of
// several repetitions. Loads velk.dll at run time, as a host does.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../gallery/gallery.h"
#include "support/kinds.h"
#include "velk.h"

static EnskinProc enskin;
static DlgInitProc dlgInit;
static EnskinFaceProc enskinFace;
// The --face folder; empty without one.
static wchar_t faceFolder[MAX_PATH];

// The gallery's coverage and bars dialogs call this when they are closed.
void CloseGalleryWindow(HWND window)
{
    DestroyWindow(window);
}

static double Seconds()
{
    static LARGE_INTEGER frequency;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

static void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

static double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A dispatch takes well under a microsecond, and anything else the machine
// does only ever makes a run slower: the fastest of many short runs is the
// steadiest measure of it.
static double Fastest(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

static int repetitions = 5;

static void PrintRow(const char *what, double plain, double skinned, double scale)
{
    std::printf("| %-44s | %10.2f | %10.2f | %6.2f |\n", what, plain * scale, skinned * scale, skinned / plain);
}

static void PrintHeader(const char *title, const char *unit)
{
    std::printf("\n%s\n\n| %-44s | %10s | %10s | %6s |\n|%s|%s|%s|%s|\n", title, "measurement",
                (std::string("plain ") + unit).c_str(), (std::string("skinned ") + unit).c_str(), "ratio",
                std::string(46, '-').c_str(), std::string(12, '-').c_str(), std::string(12, '-').c_str(),
                std::string(8, '-').c_str());
}

static const DWORD RepaintFlags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASENOW;

// Repaints of one window, skinned and not, alternating so that drift in the
// machine's speed falls on both.
static void MeasureRepaint(const char *what, HWND window, int repaints)
{
    auto repaint = [&] {
        for (int i = 0; i < repaints; ++i)
            RedrawWindow(window, nullptr, nullptr, RepaintFlags | RDW_ALLCHILDREN);
    };
    std::vector<double> plain;
    std::vector<double> skinned;
    for (int i = 0; i < repetitions; ++i) {
        double start = Seconds();
        repaint();
        plain.push_back(Seconds() - start);
        enskin(window, 1);
        start = Seconds();
        repaint();
        skinned.push_back(Seconds() - start);
        enskin(window, 0);
    }
    PrintRow(what, Median(plain) / repaints, Median(skinned) / repaints, 1e6);
}

static HWND CreateHostDialog(int width, int height)
{
    HWND dialog = CreateWindowExA(0, "#32770", "bench", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 20, 20,
                                  width, height, nullptr, nullptr, nullptr, nullptr);
    Pump();
    return dialog;
}

// A dialog with a menu bar of six drop-downs, whose bar's rectangle alone is
// repainted: what the system repaints after a selection or DrawMenuBar.
static void MeasureMenuBar()
{
    HWND dialog = CreateHostDialog(400, 300);
    HMENU bar = CreateMenu();
    for (const char *text : {"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"})
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), text);
    SetMenu(dialog, bar);
    Pump();
    MENUBARINFO info = {sizeof info};
    GetMenuBarInfo(dialog, OBJID_MENU, 0, &info);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT *>(&info.rcBar), 2);
    std::vector<double> plain;
    std::vector<double> skinned;
    const int repaints = 200;
    auto repaint = [&] {
        for (int i = 0; i < repaints; ++i)
            RedrawWindow(dialog, &info.rcBar, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    };
    for (int i = 0; i < repetitions; ++i) {
        double start = Seconds();
        repaint();
        plain.push_back(Seconds() - start);
        enskin(dialog, 1);
        start = Seconds();
        repaint();
        skinned.push_back(Seconds() - start);
        enskin(dialog, 0);
    }
    PrintRow("the menu bar's repaint", Median(plain) / repaints, Median(skinned) / repaints, 1e6);
    DestroyWindow(dialog);
    DestroyMenu(bar);
}

// A popup menu of 20 items, repainted while it shows: the owner times the
// repaints once the menu waits for input, then closes it.
static WNDPROC menuOwnerPrevious;
static std::vector<double> *menuTimes;

static LRESULT CALLBACK MenuOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ENTERIDLE && wParam == MSGF_MENU && menuTimes != nullptr) {
        const HWND popup = reinterpret_cast<HWND>(lParam);
        const double start = Seconds();
        for (int i = 0; i < 50; ++i)
            RedrawWindow(popup, nullptr, nullptr, RepaintFlags);
        menuTimes->push_back((Seconds() - start) / 50);
        menuTimes = nullptr;
        EndMenu();
    }
    return CallWindowProcA(menuOwnerPrevious, hwnd, msg, wParam, lParam);
}

static void MeasurePopupMenu()
{
    HWND dialog = CreateHostDialog(400, 300);
    menuOwnerPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuOwnerProc)));
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < 20; ++i) {
        const std::string text = "Item &" + std::to_string(i) + "\tCtrl+" + std::to_string(i);
        AppendMenuA(menu, (i % 5 == 4 ? MF_CHECKED : 0) | (i % 7 == 6 ? MF_GRAYED : 0), 100 + i, text.c_str());
    }
    std::vector<double> plain;
    std::vector<double> skinned;
    for (int i = 0; i < repetitions; ++i) {
        for (int skin = 0; skin < 2; ++skin) {
            enskin(dialog, skin);
            menuTimes = skin ? &skinned : &plain;
            SetForegroundWindow(dialog);
            TrackPopupMenu(menu, 0, 60, 40, 0, dialog, nullptr);
            Pump();
        }
        enskin(dialog, 0);
    }
    if (plain.size() == skinned.size() && !plain.empty())
        PrintRow("a 20-item popup menu's paint", Median(plain), Median(skinned), 1e6);
    DestroyWindow(dialog);
    DestroyMenu(menu);
}

static BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

// A gallery section, the dialog and every control in it, repainted
// unskinned and skinned.
static void MeasureSection(const char *what, HWND section)
{
    ShowWindow(section, SW_SHOWNOACTIVATE);
    Pump();
    std::vector<HWND> windows = {section};
    EnumChildWindows(section, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    auto repaint = [&] {
        for (int i = 0; i < 20; ++i)
            RedrawWindow(section, nullptr, nullptr, RepaintFlags | RDW_ALLCHILDREN);
    };
    std::vector<double> plain;
    std::vector<double> skinned;
    for (int i = 0; i < repetitions; ++i) {
        double start = Seconds();
        repaint();
        plain.push_back(Seconds() - start);
        for (HWND window : windows)
            enskin(window, 1);
        start = Seconds();
        repaint();
        skinned.push_back(Seconds() - start);
        for (HWND window : windows)
            enskin(window, 0);
    }
    PrintRow(what, Median(plain) / 20, Median(skinned) / 20, 1e6);
    DestroyWindow(section);
}

static void MeasureRepaints()
{
    PrintHeader("Repaint, per repaint", "us");
    HWND dialog = CreateHostDialog(400, 300);
    for (const TestKind &kind : TestKinds()) {
        // The popup menu is measured with its items, below.
        if (IsDialogKind(kind) || lstrcmpiA(kind.className, "#32768") == 0)
            continue;
        HWND control = CreateKind(dialog, kind, 20, 20, 0, kind.name);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        FillKind(control, kind);
        Pump();
        MeasureRepaint(kind.name, control, 200);
        DestroyWindow(control);
    }
    MeasureRepaint("dialog frame and background", dialog, 200);
    DestroyWindow(dialog);
    MeasureMenuBar();
    MeasurePopupMenu();

    const GalleryContext context = {GetModuleHandleA(nullptr), dlgInit(0)};
    MeasureSection("whole gallery dialog", BuildCoverageSection(context));
    MeasureSection("gallery's bars section", BuildBarsSection(context));
    DeleteObject(context.frameBrush);
}

// The least any subclass costs: a procedure that only hands the message on,
// installed the way the library installs its own, in the window's character
// set.
static WNDPROC bareSubclassPrevious;

static LRESULT CALLBACK BareSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(bareSubclassPrevious, hwnd, msg, wParam, lParam);
}

static LRESULT CALLBACK BareSubclassProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(bareSubclassPrevious, hwnd, msg, wParam, lParam);
}

// A Unicode host or an ANSI one: how it makes its windows and sends to them.
struct CharacterSet {
    const char *name;  // "W" or "A"
    bool ansi;
};

static double SendNulls(HWND target, int messages, bool ansi)
{
    const double start = Seconds();
    if (ansi) {
        for (int i = 0; i < messages; ++i)
            SendMessageA(target, WM_NULL, 0, 0);
    } else {
        for (int i = 0; i < messages; ++i)
            SendMessageW(target, WM_NULL, 0, 0);
    }
    return Seconds() - start;
}

static HWND CreateLabel(HWND parent, bool ansi)
{
    if (ansi)
        return CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 4, 4, parent, nullptr, nullptr, nullptr);
    return CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 4, 4, parent, nullptr, nullptr, nullptr);
}

// A cheap message to a skinned window, against the same message to an
// identical window under a bare pass-through subclass, in alternating
// repetitions. The window attached first stands at the far end of the
// record list, with many others skinned after it.
static void MeasureDispatchIn(const CharacterSet &set, std::initializer_list<int> counts)
{
    const bool ansi = set.ansi;
    HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND twin = CreateLabel(parent, ansi);
    HWND bare = CreateLabel(parent, ansi);
    const int messages = 20000;
    const int runs = 40;
    bareSubclassPrevious = reinterpret_cast<WNDPROC>(
        ansi ? SetWindowLongPtrA(bare, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BareSubclassProcA))
             : SetWindowLongPtrW(bare, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BareSubclassProc)));
    std::vector<double> plain;
    std::vector<double> measured;
    for (int i = 0; i < runs; ++i) {
        plain.push_back(SendNulls(twin, messages, ansi));
        measured.push_back(SendNulls(bare, messages, ansi));
    }
    char what[64];
    std::snprintf(what, sizeof what, "bare %s subclass against none", set.name);
    PrintRow(what, Fastest(plain) / messages, Fastest(measured) / messages, 1e9);

    for (int count : counts) {
        std::vector<HWND> windows;
        for (int i = 0; i < count; ++i) {
            windows.push_back(CreateLabel(parent, ansi));
            enskin(windows.back(), 1);
        }
        plain.clear();
        measured.clear();
        for (int i = 0; i < runs; ++i) {
            plain.push_back(SendNulls(bare, messages, ansi));
            measured.push_back(SendNulls(windows.front(), messages, ansi));
        }
        std::snprintf(what, sizeof what, "skin against bare %s subclass, %d skinned", set.name, count);
        PrintRow(what, Fastest(plain) / messages, Fastest(measured) / messages, 1e9);
        for (HWND window : windows)
            DestroyWindow(window);
    }
    DestroyWindow(parent);
}

static void MeasureDispatch()
{
    PrintHeader("Dispatch of WM_NULL, per message, fastest of 40 alternating runs", "ns");
    MeasureDispatchIn({"W", false}, {1, 10, 100, 1000, 10000});
    // An ANSI host: windows made with CreateWindowExA, messages sent with
    // SendMessageA.
    MeasureDispatchIn({"A", true}, {1, 10000});

    std::vector<double> plain;
    std::vector<double> measured;
    const int messages = 20000;
    const int runs = 40;
    // A window the library does not skin, on a thread with skinning switched
    // on and off: the creation hook must cost nothing per message.
    HWND host = CreateHostDialog(200, 200);
    HWND animation = CreateWindowExW(0, ANIMATE_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, host, nullptr,
                                     nullptr, nullptr);
    plain.clear();
    measured.clear();
    for (int i = 0; i < runs; ++i) {
        plain.push_back(SendNulls(animation, messages, false));
        enskin(nullptr, 1);
        measured.push_back(SendNulls(animation, messages, false));
        enskin(nullptr, 0);
    }
    PrintRow("animation, thread-wide skinning on against off", Fastest(plain) / messages,
             Fastest(measured) / messages, 1e9);
    DestroyWindow(host);
}

static void PrintTiming(const char *what, double seconds)
{
    std::printf("| %-44s | %10.2f |\n", what, seconds * 1e3);
}

static const wchar_t PersonalizeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

static void SetAppsUseLightTheme(DWORD light)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, PersonalizeKey, L"AppsUseLightTheme", REG_DWORD, &light, sizeof light);
}

// The system's switch to the dark app mode, as a top-level window hears of
// it, with the --face folder as the dark face of an empty face: the same
// repaint as EnskinFace's, the face already loaded.
static void MeasureAppModeSwitch(HWND dialog)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring face = std::wstring(folder) + L"velk-bench-follow", dark = face + L"\\dark";
    CreateDirectoryW(face.c_str(), nullptr);
    CreateDirectoryW(dark.c_str(), nullptr);
    const wchar_t *const files[] = {L"face.ini", L"back.bmp", L"progress.bmp"};
    for (const wchar_t *file : files)
        CopyFileW((std::wstring(faceFolder) + L"\\" + file).c_str(), (dark + L"\\" + file).c_str(), FALSE);
    CloseHandle(CreateFileW((face + L"\\face.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD saved = 1, size = sizeof saved;
    const bool hadValue = RegGetValueW(HKEY_CURRENT_USER, PersonalizeKey, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                                       nullptr, &saved, &size) == ERROR_SUCCESS;
    SetAppsUseLightTheme(1);
    enskinFace(face.c_str());
    const LPARAM change = reinterpret_cast<LPARAM>(L"ImmersiveColorSet");
    // Each switch beside a repaint of the same windows in the same face, so
    // that both meet the same load of the machine.
    std::vector<double> switches;
    std::vector<double> repaints;
    for (int i = 0; i < repetitions; ++i) {
        SetAppsUseLightTheme(0);
        double start = Seconds();
        SendMessageW(dialog, WM_SETTINGCHANGE, 0, change);
        switches.push_back(Seconds() - start);
        Pump();
        start = Seconds();
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        repaints.push_back(Seconds() - start);
        SetAppsUseLightTheme(1);
        SendMessageW(dialog, WM_SETTINGCHANGE, 0, change);
        Pump();
    }
    PrintTiming("app mode to dark, 500 skinned windows", Fastest(switches));
    PrintTiming("the same windows repainted, dark face", Fastest(repaints));
    enskinFace(nullptr);
    if (hadValue)
        SetAppsUseLightTheme(saved);
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, PersonalizeKey, L"AppsUseLightTheme");
    for (const wchar_t *file : files)
        DeleteFileW((dark + L"\\" + file).c_str());
    DeleteFileW((face + L"\\face.ini").c_str());
    RemoveDirectoryW(dark.c_str());
    RemoveDirectoryW(face.c_str());
}

static void MeasureSwitching()
{
    // Like a dispatch, a switch only ever gets slower from what else the
    // machine does: the fastest run is the one left alone.
    std::printf("\nThread-wide switch-on and switch-off, fastest of %d runs\n\n| %-44s | %10s |\n|%s|%s|\n",
                repetitions, "measurement", "ms", std::string(46, '-').c_str(), std::string(12, '-').c_str());

    HWND dialog = CreateHostDialog(800, 600);
    const char *classes[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar"};
    for (int i = 0; i < 500; ++i)
        CreateWindowExA(0, classes[i % 5], "x", WS_CHILD | WS_VISIBLE, (i % 25) * 30, (i / 25) * 28, 28, 24,
                        dialog, nullptr, nullptr, nullptr);
    Pump();
    // A switch leaves the windows invalid; the repaint that shows the new
    // look comes at the next paint, timed here on its own.
    auto repaint = [&] {
        const double start = Seconds();
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        return Seconds() - start;
    };
    std::vector<double> on;
    std::vector<double> off;
    std::vector<double> paintOn;
    std::vector<double> paintOff;
    for (int i = 0; i < repetitions; ++i) {
        double start = Seconds();
        enskin(nullptr, 1);
        on.push_back(Seconds() - start);
        paintOn.push_back(repaint());
        start = Seconds();
        enskin(nullptr, 0);
        off.push_back(Seconds() - start);
        paintOff.push_back(repaint());
    }
    PrintTiming("switch on, dialog of 500 controls", Fastest(on));
    PrintTiming("switch off, dialog of 500 controls", Fastest(off));
    PrintTiming("repaint after the switch on, skinned", Fastest(paintOn));
    PrintTiming("repaint after the switch off, plain", Fastest(paintOff));

    // A face switch with the 500 controls and their dialog skinned: the
    // load and the repaint of every window, which this thread does at once.
    if (faceFolder[0] != L'\0') {
        enskin(nullptr, 1);
        std::vector<double> switches;
        for (int i = 0; i < repetitions; ++i) {
            const double start = Seconds();
            enskinFace(faceFolder);
            switches.push_back(Seconds() - start);
            enskinFace(nullptr);
        }
        PrintTiming("EnskinFace, 500 skinned windows, repainted", Fastest(switches));
        MeasureAppModeSwitch(dialog);
        enskin(nullptr, 0);
    }
    DestroyWindow(dialog);

    // Twelve levels of nested windows below one top-level window.
    HWND top = CreateHostDialog(300, 300);
    HWND parent = top;
    for (int level = 0; level < 12; ++level)
        parent = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 1, 1, 280 - level * 2, 280 - level * 2,
                                 parent, nullptr, nullptr, nullptr);
    on.clear();
    off.clear();
    for (int i = 0; i < repetitions; ++i) {
        double start = Seconds();
        enskin(nullptr, 1);
        on.push_back(Seconds() - start);
        start = Seconds();
        enskin(nullptr, 0);
        off.push_back(Seconds() - start);
    }
    PrintTiming("switch on, window tree 12 levels deep", Fastest(on));
    PrintTiming("switch off, window tree 12 levels deep", Fastest(off));
    DestroyWindow(top);
}

// Enskin hands back the record's address, which the process heap can size.
static void MeasureRecordSize()
{
    std::printf("\nHeap per record\n\n| %-44s | %10s |\n|%s|%s|\n", "record", "bytes", std::string(46, '-').c_str(),
                std::string(12, '-').c_str());
    HWND label = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const INT_PTR record = enskin(label, 1);
    std::printf("| %-44s | %10zu |\n", "any skinned window",
                HeapSize(GetProcessHeap(), 0, reinterpret_cast<void *>(record)));
    enskin(label, 0);
    DestroyWindow(label);
}

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            repetitions = 3;
        else if (std::strcmp(argv[i], "--face") == 0 && i + 1 < argc)
            MultiByteToWideChar(CP_ACP, 0, argv[++i], -1, faceFolder, MAX_PATH);
    }
    HMODULE library = LoadLibraryA("velk.dll");
    if (library == nullptr) {
        std::fprintf(stderr, "bench: cannot load velk.dll\n");
        return 1;
    }
    enskin = reinterpret_cast<EnskinProc>(reinterpret_cast<void *>(GetProcAddress(library, "Enskin")));
    dlgInit = reinterpret_cast<DlgInitProc>(reinterpret_cast<void *>(GetProcAddress(library, "DlgInit")));
    enskinFace =
        reinterpret_cast<EnskinFaceProc>(reinterpret_cast<void *>(GetProcAddress(library, "EnskinFace")));
    if (enskin == nullptr || dlgInit == nullptr || enskinFace == nullptr) {
        std::fprintf(stderr, "bench: velk.dll lacks its exports\n");
        return 1;
    }
    // With --face every repaint is measured in that face.
    if (faceFolder[0] != L'\0' && !enskinFace(faceFolder)) {
        std::fprintf(stderr, "bench: the --face folder has no face.ini\n");
        return 1;
    }
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES |
                                                        ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    std::printf("velk benchmark: median of %d repetitions; ratio = skinned / plain\n", repetitions);
    MeasureRepaints();
    MeasureDispatch();
    MeasureSwitching();
    MeasureRecordSize();
    FreeLibrary(library);
    return 0;
}
