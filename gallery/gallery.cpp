// The host side of the gallery: loads the library at run time, builds the
// sections with thread-wide skinning on, lays them out, and either runs them
// until the user closes the main window or takes one screenshot of them all.
#include "gallery.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "velk.h"

struct Section {
    const char *name;
    SectionBuilder build;
};

// The first section's window is the main one.
static const Section Sections[] = {
    {"coverage", BuildCoverageSection},
    {"scroll", BuildScrollSection},
    {"buttons", BuildButtonsSection},
    {"controls", BuildControlsSection},
    {"dialogs", BuildDialogsSection},
    {"mirrored", BuildMirroredSection},
    {"bars", BuildBarsSection},
    {"main window", BuildMainWindowSection},
    {"tool window", BuildToolWindowSection},
};

// Windows are laid out for the smallest screen the gallery is shown on, at
// 96 dpi; the screen grows with the DPI as the sections do.
static const int LayoutWidth = Px(1280);
static const int LayoutHeight = Px(1440);
static const int WindowGap = Px(8);
static const DWORD SettleMilliseconds = 500;
static const COLORREF ScreenshotBackground = RGB(64, 96, 128);

static std::vector<HWND> galleryWindows;
void (*whileMenuOpen)() = nullptr;
static HWND mainWindow = nullptr;

void CloseGalleryWindow(HWND window)
{
    for (size_t i = 0; i < galleryWindows.size(); ++i) {
        if (galleryWindows[i] == window) {
            galleryWindows.erase(galleryWindows.begin() + static_cast<ptrdiff_t>(i));
            break;
        }
    }
    DestroyWindow(window);
    if (window == mainWindow) {
        mainWindow = nullptr;
        PostQuitMessage(0);
    }
}

INT_PTR CALLBACK PlainSectionProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        CloseGalleryWindow(window);
        return TRUE;
    }
    return FALSE;
}

// Function pointers from GetProcAddress pass through void* so that the
// compiler does not object to the change of signature.
template <typename Proc> static Proc LoadExport(HMODULE library, const char *name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void *>(GetProcAddress(library, name)));
}

static void InitAllCommonControls()
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                     ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS |
                     ICC_STANDARD_CLASSES | ICC_LINK_CLASS;
    InitCommonControlsEx(&controls);
}

static bool BuildSections(const GalleryContext &context)
{
    for (const Section &section : Sections) {
        HWND window = section.build(context);
        if (window == nullptr) {
            std::fprintf(stderr, "gallery: cannot build the %s section (error %lu)\n", section.name,
                         GetLastError());
            return false;
        }
        galleryWindows.push_back(window);
    }
    HWND unplaced = BuildUnplacedKindsSection(context, galleryWindows);
    if (unplaced != nullptr)
        galleryWindows.push_back(unplaced);
    mainWindow = galleryWindows.front();
    return true;
}

// Left to right in rows, top to bottom, in table order.
static void PlaceWindows()
{
    const int areaWidth = std::min(GetSystemMetrics(SM_CXSCREEN), LayoutWidth);
    const int areaHeight = std::min(GetSystemMetrics(SM_CYSCREEN), LayoutHeight);
    int x = WindowGap;
    int y = WindowGap;
    int rowHeight = 0;
    for (size_t i = 0; i < galleryWindows.size(); ++i) {
        HWND window = galleryWindows[i];
        RECT rect;
        GetWindowRect(window, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (x > WindowGap && x + width > areaWidth - WindowGap) {
            x = WindowGap;
            y += rowHeight + WindowGap;
            rowHeight = 0;
        }
        if (x + width > areaWidth || y + height > areaHeight)
            std::fprintf(stderr, "gallery: the %s section does not fit on a %dx%d screen\n",
                         i < std::size(Sections) ? Sections[i].name : "unplaced", areaWidth, areaHeight);
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        x += width + WindowGap;
        rowHeight = std::max(rowHeight, height);
    }
}

static void ShowWindows()
{
    for (HWND window : galleryWindows) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    SetForegroundWindow(mainWindow);
}

// By index: a keystroke handled here may close a window and shrink the list.
static void DispatchGalleryMessage(MSG &msg)
{
    for (size_t i = 0; i < galleryWindows.size(); ++i) {
        if (IsDialogMessageA(galleryWindows[i], &msg))
            return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

static int RunUntilClosed()
{
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        DispatchGalleryMessage(msg);
    }
    return static_cast<int>(msg.wParam);
}

static void PumpMessagesFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT)
                DispatchGalleryMessage(msg);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

// With --print, each window is asked to print itself, children and all,
// as AnimateWindow and capture tools ask it, instead of being read back.
static bool printWindows = false;

static BOOL CALLBACK CollectShownPopup(HWND window, LPARAM list)
{
    const HWND owner = GetWindow(window, GW_OWNER);
    const bool ownedBySection = std::find(galleryWindows.begin(), galleryWindows.end(), owner) != galleryWindows.end();
    if (IsWindowVisible(window) && ownedBySection)
        reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

// Reads the window through its own window DC, which shows exactly what the
// window painted, frame included; only pixels inside its region are kept.
static void CopyWindowInto(HDC target, HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, clip) != ERROR) {
        OffsetRgn(clip, rect.left, rect.top);
        SelectClipRgn(target, clip);
    }
    if (printWindows) {
        POINT origin;
        OffsetWindowOrgEx(target, -rect.left, -rect.top, &origin);
        SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(target),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        SetWindowOrgEx(target, origin.x, origin.y, nullptr);
        SelectClipRgn(target, nullptr);
        DeleteObject(clip);
        return;
    }
    HDC source = GetWindowDC(window);
    // A mirrored window's DC is mirrored too, and a copy from it into the
    // screenshot would flip the picture: read it as the screen shows it.
    SetLayout(source, 0);
    BitBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0,
           SRCCOPY);
    ReleaseDC(window, source);
    SelectClipRgn(target, nullptr);
    DeleteObject(clip);
}

// The image covers the screen from its top-left corner to just past the
// farthest window.
static RECT ScreenshotBounds()
{
    RECT bounds = {0, 0, 0, 0};
    for (HWND window : galleryWindows) {
        RECT rect;
        GetWindowRect(window, &rect);
        bounds.right = std::max(bounds.right, rect.right);
        bounds.bottom = std::max(bounds.bottom, rect.bottom);
    }
    bounds.right += WindowGap;
    bounds.bottom += WindowGap;
    return bounds;
}

// A 24-bit DIB holds its pixels as BGR; the PNG wants RGB.
static std::vector<unsigned char> DibToRgb(const unsigned char *bits, int width, int height, int stride)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * 3 * static_cast<size_t>(height));
    unsigned char *out = rgb.data();
    for (int y = 0; y < height; ++y) {
        const unsigned char *in = bits + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return rgb;
}

static int TakeScreenshot(const char *path)
{
    PumpMessagesFor(SettleMilliseconds);

    const RECT bounds = ScreenshotBounds();
    const int width = bounds.right;
    const int height = bounds.bottom;
    BITMAPINFO info;
    DescribeScreenshotPixels(&info, width, height);
    void *bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP image = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory == nullptr || image == nullptr) {
        std::fprintf(stderr, "gallery: cannot create a %dx%d screenshot bitmap\n", width, height);
        if (image != nullptr)
            DeleteObject(image);
        if (memory != nullptr)
            DeleteDC(memory);
        return 1;
    }
    HGDIOBJ oldImage = SelectObject(memory, image);

    HBRUSH background = CreateSolidBrush(ScreenshotBackground);
    FillRect(memory, &bounds, background);
    DeleteObject(background);
    for (HWND window : galleryWindows)
        CopyWindowInto(memory, window);
    // Then the popups the sections own and show, such as tooltips.
    std::vector<HWND> popups;
    EnumThreadWindows(GetCurrentThreadId(), CollectShownPopup, reinterpret_cast<LPARAM>(&popups));
    for (HWND popup : popups)
        CopyWindowInto(memory, popup);
    GdiFlush();

    const int stride = (width * 3 + 3) & ~3;
    const std::vector<unsigned char> rgb =
        DibToRgb(static_cast<const unsigned char *>(bits), width, height, stride);
    SelectObject(memory, oldImage);
    DeleteObject(image);
    DeleteDC(memory);

    if (!WritePng(path, rgb.data(), width, height, width * 3)) {
        std::fprintf(stderr, "gallery: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

// --watch: a thread waits on the system's change notifications for the face
// folder and its dark face, and posts to a window of the gallery's own,
// which loads the face again on the gallery's thread. Under Wine 8 a
// notification comes 2 to 6 ms after a Windows program writes a file and
// within a few tens of ms after a Unix editor or copy does, but a folder's
// notification with its subtree never fires for a change inside a
// subfolder: the dark face is watched on its own.
static const UINT FaceChangedMessage = WM_APP + 1;
// Saving a file is several changes (truncated, written, closed, or a new
// file renamed over it): the face is loaded once they have been quiet this
// long.
static const DWORD QuietMilliseconds = 50;
static const DWORD WatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                    FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                    FILE_NOTIFY_CHANGE_ATTRIBUTES;
static const wchar_t FaceWatchClass[] = L"VelkGalleryFaceWatch";

struct FaceWatch {
    wchar_t folder[MAX_PATH];
    EnskinFaceProc enskinFace;
    HWND window;
    // The stop event, then the face folder's notification and, where the
    // face has a dark one, its folder's.
    HANDLE handles[3];
    DWORD handleCount;
    HANDLE thread;
};
static FaceWatch faceWatch;

static DWORD WINAPI WatchFaceFolder(void *)
{
    const DWORD count = faceWatch.handleCount;
    DWORD woken;
    while ((woken = WaitForMultipleObjects(count, faceWatch.handles, FALSE, INFINITE)) > WAIT_OBJECT_0 &&
           woken < WAIT_OBJECT_0 + count) {
        do {
            FindNextChangeNotification(faceWatch.handles[woken - WAIT_OBJECT_0]);
            woken = WaitForMultipleObjects(count, faceWatch.handles, FALSE, QuietMilliseconds);
        } while (woken > WAIT_OBJECT_0 && woken < WAIT_OBJECT_0 + count);
        PostMessageW(faceWatch.window, FaceChangedMessage, 0, 0);
    }
    return 0;
}

// A face.ini with faults still loads, with the built-in colour for each
// fault and a debugger line naming it; one being replaced may be missing
// for a moment, and the next change loads it.
static LRESULT CALLBACK FaceWatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != FaceChangedMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    const DWORD start = GetTickCount();
    if (faceWatch.enskinFace(faceWatch.folder))
        std::fprintf(stderr, "gallery: face loaded again from %ls and shown in %lu ms\n", faceWatch.folder,
                     GetTickCount() - start);
    else
        std::fprintf(stderr, "gallery: %ls has no face.ini now; the face stays as it was\n", faceWatch.folder);
    return 0;
}

static bool StartFaceWatch(HINSTANCE instance, const wchar_t *folder, EnskinFaceProc enskinFace)
{
    lstrcpynW(faceWatch.folder, folder, MAX_PATH);
    faceWatch.enskinFace = enskinFace;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = FaceWatchProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = FaceWatchClass;
    RegisterClassW(&windowClass);
    faceWatch.window = CreateWindowW(FaceWatchClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    faceWatch.handles[faceWatch.handleCount++] = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    faceWatch.handles[faceWatch.handleCount++] = FindFirstChangeNotificationW(folder, FALSE, WatchedChanges);
    wchar_t dark[MAX_PATH];
    const bool hasDark = lstrlenW(folder) + 6 < MAX_PATH &&
                         GetFileAttributesW(lstrcatW(lstrcpyW(dark, folder), L"\\dark")) != INVALID_FILE_ATTRIBUTES;
    if (hasDark)
        faceWatch.handles[faceWatch.handleCount++] = FindFirstChangeNotificationW(dark, FALSE, WatchedChanges);
    for (DWORD i = 0; i < faceWatch.handleCount; ++i) {
        if (faceWatch.handles[i] == nullptr || faceWatch.handles[i] == INVALID_HANDLE_VALUE)
            return false;
    }
    faceWatch.thread = CreateThread(nullptr, 0, WatchFaceFolder, nullptr, 0, nullptr);
    return faceWatch.window != nullptr && faceWatch.thread != nullptr;
}

// Also after a failed start: whatever was made is given back.
static void StopFaceWatch()
{
    if (faceWatch.thread != nullptr) {
        SetEvent(faceWatch.handles[0]);
        WaitForSingleObject(faceWatch.thread, INFINITE);
        CloseHandle(faceWatch.thread);
    }
    for (DWORD i = 0; i < faceWatch.handleCount; ++i) {
        if (faceWatch.handles[i] == nullptr || faceWatch.handles[i] == INVALID_HANDLE_VALUE)
            continue;
        if (i == 0)
            CloseHandle(faceWatch.handles[i]);
        else
            FindCloseChangeNotification(faceWatch.handles[i]);
    }
    if (faceWatch.window != nullptr)
        DestroyWindow(faceWatch.window);
    faceWatch = {};
}

// The screenshot is taken from inside the menu loop of the main window's
// section, with its File menu dropped from the bar: when the loop first
// waits for input, everything has painted. The window must have settled in
// the foreground first, or the loop ends as soon as it starts.
static const char *menuShotPath = nullptr;
static int menuShotResult = -1;

static void ShootWithMenuOpen()
{
    whileMenuOpen = nullptr;
    menuShotResult = TakeScreenshot(menuShotPath);
    EndMenu();
}

static int TakeScreenshotWithMenuOpen(const char *path)
{
    const auto withMenu = std::find_if(galleryWindows.begin(), galleryWindows.end(), [](HWND window) {
        char className[16];
        GetClassNameA(window, className, sizeof className);
        return GetMenu(window) != nullptr && std::strcmp(className, "#32770") != 0;
    });
    if (withMenu == galleryWindows.end())
        return TakeScreenshot(path);
    SetForegroundWindow(*withMenu);
    PumpMessagesFor(SettleMilliseconds);
    menuShotPath = path;
    whileMenuOpen = ShootWithMenuOpen;
    PostMessageA(*withMenu, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    for (int wait = 0; menuShotResult < 0 && wait < 10; ++wait)
        PumpMessagesFor(SettleMilliseconds);
    whileMenuOpen = nullptr;
    return menuShotResult < 0 ? TakeScreenshot(path) : menuShotResult;
}

static void DestroyGalleryWindows()
{
    for (HWND window : galleryWindows)
        DestroyWindow(window);
    galleryWindows.clear();
    mainWindow = nullptr;
}

// Returns false on a command line it does not understand; each path stays
// null without its option.
static bool ParseCommandLine(const char *&screenshotPath, const char *&systemDialogsPath,
                             const char *&velkRunPath, const char *&faceFolder, bool &watch)
{
    watch = false;
    screenshotPath = nullptr;
    systemDialogsPath = nullptr;
    velkRunPath = nullptr;
    faceFolder = nullptr;
    for (int i = 1; i < __argc; ++i) {
        if (std::strcmp(__argv[i], "--screenshot") == 0 && i + 1 < __argc)
            screenshotPath = __argv[++i];
        else if (std::strcmp(__argv[i], "--system-dialogs") == 0 && i + 1 < __argc)
            systemDialogsPath = __argv[++i];
        else if (std::strcmp(__argv[i], "--print") == 0)
            printWindows = true;
        else if (std::strcmp(__argv[i], "--velk-run") == 0 && i + 1 < __argc)
            velkRunPath = __argv[++i];
        else if (std::strcmp(__argv[i], "--face") == 0 && i + 1 < __argc)
            faceFolder = __argv[++i];
        else if (std::strcmp(__argv[i], "--watch") == 0)
            watch = true;
        else
            return false;
    }
    return !watch || faceFolder != nullptr;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const char *screenshotPath;
    const char *systemDialogsPath;
    const char *velkRunPath;
    const char *faceFolder;
    bool watch;
    if (!ParseCommandLine(screenshotPath, systemDialogsPath, velkRunPath, faceFolder, watch)) {
        std::fprintf(stderr, "usage: gallery [--print] [--face FOLDER [--watch]] [--screenshot FILE.png] "
                             "[--system-dialogs FILE.png] [--velk-run FILE.png]\n");
        return 2;
    }
    // Other programs, skinned from outside: the gallery loads nothing itself.
    if (velkRunPath != nullptr)
        return ShowVelkRun(velkRunPath, faceFolder);

    HMODULE library = LoadLibraryA("velk.dll");
    if (library == nullptr) {
        std::fprintf(stderr, "gallery: cannot load velk.dll (error %lu)\n", GetLastError());
        return 1;
    }
    const EnskinProc enskin = LoadExport<EnskinProc>(library, "Enskin");
    const DlgInitProc dlgInit = LoadExport<DlgInitProc>(library, "DlgInit");
    const EnskinFaceProc enskinFace = LoadExport<EnskinFaceProc>(library, "EnskinFace");
    if (enskin == nullptr || dlgInit == nullptr || enskinFace == nullptr) {
        std::fprintf(stderr, "gallery: velk.dll lacks the Enskin, DlgInit or EnskinFace export\n");
        FreeLibrary(library);
        return 1;
    }
    if (faceFolder != nullptr) {
        wchar_t folder[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, faceFolder, -1, folder, MAX_PATH) == 0 || !enskinFace(folder)) {
            std::fprintf(stderr, "gallery: %s is not a face folder with a face.ini\n", faceFolder);
            FreeLibrary(library);
            return 1;
        }
        if (watch && !StartFaceWatch(instance, folder, enskinFace)) {
            std::fprintf(stderr, "gallery: cannot watch %s for changes (error %lu)\n", faceFolder, GetLastError());
            StopFaceWatch();
            FreeLibrary(library);
            return 1;
        }
    }

    InitAllCommonControls();
    if (systemDialogsPath != nullptr) {
        const int shown = ShowSystemDialogs(systemDialogsPath, enskin);
        StopFaceWatch();
        FreeLibrary(library);
        return shown;
    }
    // On before any window exists, so every gallery window is taken over by
    // the creation hook rather than by the walk over existing windows.
    if (enskin(nullptr, 1) == 0) {
        std::fprintf(stderr, "gallery: cannot switch thread-wide skinning on\n");
        FreeLibrary(library);
        return 1;
    }

    GalleryContext context = {instance, dlgInit(0)};
    int result = 1;
    if (BuildSections(context)) {
        PlaceWindows();
        ShowWindows();
        result = screenshotPath != nullptr ? TakeScreenshotWithMenuOpen(screenshotPath) : RunUntilClosed();
    }

    enskin(nullptr, 0);
    StopFaceWatch();
    DestroyGalleryWindows();
    DeleteObject(context.frameBrush);
    FreeLibrary(library);
    return result;
}
