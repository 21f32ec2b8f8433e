// Faces from files: a folder's face.ini, back.bmp and progress.bmp made into
// a Face that never changes once loaded, and the switch of the current face,
// by the host or by the system's app mode between a face and its dark face.
//
// face.ini is read here rather than through GetPrivateProfileString, so that a
// file of any size, encoding or content is read in bounded time and every
// problem is named: one debugger line each, and the built-in colour stays.
#include "skin.h"

const Face *volatile currentFace = nullptr;

// Larger files are refused whole: a face needs a few kilobytes.
static const DWORD FaceFileLimit = 256 * 1024;
// Lines of a junk file each count as a problem; the rest are summed up in one.
static const int ReportLimit = 32;
// Key and value text quoted in a report.
static const int QuotedLimit = 40;

static const wchar_t FaceIniFile[] = L"face.ini";
static const wchar_t BackgroundFile[] = L"back.bmp";
static const wchar_t ProgressFile[] = L"progress.bmp";
static const wchar_t ColoursSection[] = L"colours";
// A face's dark face: a folder of this name inside it, with a face.ini.
static const wchar_t DarkFolder[] = L"dark";
static const wchar_t DarkFaceIni[] = L"dark\\face.ini";
// The system's app mode: apps use the dark theme while this value is 0.
static const wchar_t PersonalizeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
static const wchar_t AppsUseLightTheme[] = L"AppsUseLightTheme";

// Where a problem is reported, and how many were.
struct FaceReport {
    const wchar_t *path;
    int problems;
};

// Text quoted in a report: control characters of a junk file shown as '?',
// and cut short.
static void Quote(wchar_t *out, const wchar_t *text, int length)
{
    int i = 0;
    for (; i < length && i < QuotedLimit; ++i)
        out[i] = text[i] < L' ' ? L'?' : text[i];
    if (length > QuotedLimit) {
        out[i++] = L'.';
        out[i++] = L'.';
        out[i++] = L'.';
    }
    out[i] = L'\0';
}

// One debugger line: the file, the line of it (0: the file as a whole), the
// key and what was wrong.
static void Report(FaceReport *report, int line, const wchar_t *key, int keyLength, const wchar_t *what)
{
    ++report->problems;
    if (report->problems > ReportLimit + 1)
        return;
    wchar_t text[1024];
    if (report->problems == ReportLimit + 1) {
        wsprintfW(text, L"velk: %s: more problems; the first %d are listed\n", report->path, ReportLimit);
    } else {
        wchar_t quoted[QuotedLimit + 4];
        Quote(quoted, key, keyLength);
        if (line > 0)
            wsprintfW(text, L"velk: %s(%d): %s: %s\n", report->path, line, quoted, what);
        else
            wsprintfW(text, L"velk: %s: %s\n", report->path, what);
    }
    OutputDebugStringW(text);
}

static int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// "#RRGGBB" and nothing else.
static bool ParseColour(const wchar_t *text, int length, COLORREF *colour)
{
    if (length != 7 || text[0] != L'#')
        return false;
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[1 + 2 * i]);
        const int low = HexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0)
            return false;
        channels[i] = high * 16 + low;
    }
    *colour = RGB(channels[0], channels[1], channels[2]);
    return true;
}

// The colour the key sets, which no longer follows the system; null for an
// unknown key.
static COLORREF *FindKeyColour(Face *face, const wchar_t *key, int keyLength)
{
    wchar_t name[64];
    size_t offset;
    for (int index = 0; DescribeFaceKey(index, name, 64, &offset); ++index) {
        if (lstrlenW(name) == keyLength &&
            CompareStringOrdinal(name, keyLength, key, keyLength, TRUE) == CSTR_EQUAL) {
            face->followsSystem.words[index / 32] &= ~(DWORD{1} << (index % 32));
            return reinterpret_cast<COLORREF *>(reinterpret_cast<BYTE *>(face) + offset);
        }
    }
    return nullptr;
}

static bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == 0xFEFF;
}

static void Trim(const wchar_t **text, int *length)
{
    while (*length > 0 && IsBlank(**text)) {
        ++*text;
        --*length;
    }
    while (*length > 0 && IsBlank((*text)[*length - 1]))
        --*length;
}

static bool SectionIs(const wchar_t *name, int length, const wchar_t *expected)
{
    return length == lstrlenW(expected) && CompareStringOrdinal(name, length, expected, length, TRUE) == CSTR_EQUAL;
}

// One line of face.ini. inColours: whether the last section header was
// [colours].
static void ReadLine(Face *face, FaceReport *report, int number, const wchar_t *line, int length, bool *inColours,
                     bool *sawColours)
{
    Trim(&line, &length);
    if (length == 0 || line[0] == L';' || line[0] == L'#')
        return;
    if (line[0] == L'[') {
        const bool closed = line[length - 1] == L']';
        const wchar_t *name = line + 1;
        int nameLength = closed ? length - 2 : length - 1;
        Trim(&name, &nameLength);
        *inColours = closed && SectionIs(name, nameLength, ColoursSection);
        *sawColours = *sawColours || *inColours;
        if (!*inColours)
            Report(report, number, line, length, L"not the [colours] section; its keys are ignored");
        return;
    }
    int equals = 0;
    while (equals < length && line[equals] != L'=')
        ++equals;
    const wchar_t *key = line;
    int keyLength = equals;
    Trim(&key, &keyLength);
    if (equals == length || keyLength == 0) {
        Report(report, number, line, length, L"not a line of the form Key=#RRGGBB");
        return;
    }
    if (!*inColours) {
        Report(report, number, key, keyLength, L"outside the [colours] section; ignored");
        return;
    }
    COLORREF *colour = FindKeyColour(face, key, keyLength);
    if (colour == nullptr) {
        Report(report, number, key, keyLength, L"unknown key; ignored");
        return;
    }
    const wchar_t *value = line + equals + 1;
    int valueLength = length - equals - 1;
    Trim(&value, &valueLength);
    COLORREF parsed;
    if (!ParseColour(value, valueLength, &parsed)) {
        wchar_t what[QuotedLimit + 64];
        wchar_t quoted[QuotedLimit + 4];
        Quote(quoted, value, valueLength);
        wsprintfW(what, L"\"%s\" is not a colour #RRGGBB; the built-in colour stays", quoted);
        Report(report, number, key, keyLength, what);
        return;
    }
    // The caption buttons' bottom-right corners carry a flag in the top byte
    // that chooses how they are filled; a colour of the file keeps it.
    *colour = parsed | (*colour & 0xFF000000);
}

static void ReadText(Face *face, FaceReport *report, const wchar_t *text, int length)
{
    bool inColours = false;
    bool sawColours = false;
    int number = 1;
    for (int start = 0; start < length; ++number) {
        int end = start;
        while (end < length && text[end] != L'\n')
            ++end;
        ReadLine(face, report, number, text + start, end - start, &inColours, &sawColours);
        start = end + 1;
    }
    if (!sawColours)
        Report(report, 0, nullptr, 0, L"no [colours] section; every colour is the built-in one");
}

// The file's text as UTF-16: UTF-16LE after its byte-order mark, else UTF-8,
// with or without one. Null, reported, for anything else; free it with
// HeapFree.
static wchar_t *DecodeText(FaceReport *report, const BYTE *bytes, DWORD size, int *length)
{
    HANDLE heap = GetProcessHeap();
    if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        Report(report, 0, nullptr, 0, L"UTF-16 big-endian is not read; save it as UTF-8 or UTF-16LE");
        return nullptr;
    }
    auto *text = static_cast<wchar_t *>(HeapAlloc(heap, 0, (static_cast<SIZE_T>(size) + 1) * sizeof(wchar_t)));
    if (text == nullptr)
        return nullptr;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        *length = static_cast<int>((size - 2) / 2);
        CopyMemory(text, bytes + 2, static_cast<SIZE_T>(*length) * sizeof(wchar_t));
        return text;
    }
    const DWORD skip = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    // Bytes that are not UTF-8 become U+FFFD and fail as keys or values.
    *length = size > skip ? MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char *>(bytes + skip),
                                                static_cast<int>(size - skip), text, static_cast<int>(size))
                          : 0;
    return text;
}

static void ReadFaceIni(Face *face, const wchar_t *path)
{
    FaceReport report = {path, 0};
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        wchar_t what[96];
        wsprintfW(what, L"cannot be read (error %lu); every colour is the built-in one", GetLastError());
        Report(&report, 0, nullptr, 0, what);
        return;
    }
    LARGE_INTEGER size = {};
    BYTE *bytes = nullptr;
    DWORD read = 0;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > FaceFileLimit) {
        wchar_t what[96];
        wsprintfW(what, L"larger than %lu bytes; not read, every colour is the built-in one", FaceFileLimit);
        Report(&report, 0, nullptr, 0, what);
    } else {
        bytes = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, size.LowPart + 1));
        if (bytes != nullptr && !ReadFile(file, bytes, size.LowPart, &read, nullptr)) {
            wchar_t what[96];
            wsprintfW(what, L"cannot be read (error %lu); every colour is the built-in one", GetLastError());
            Report(&report, 0, nullptr, 0, what);
            HeapFree(GetProcessHeap(), 0, bytes);
            bytes = nullptr;
        }
    }
    CloseHandle(file);
    if (bytes == nullptr)
        return;
    int length = 0;
    wchar_t *text = DecodeText(&report, bytes, read, &length);
    HeapFree(GetProcessHeap(), 0, bytes);
    if (text == nullptr)
        return;
    ReadText(face, &report, text, length);
    HeapFree(GetProcessHeap(), 0, text);
}

static HBITMAP LoadPicture(const wchar_t *path, BITMAP *info)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (bitmap != nullptr &&
        (GetObjectW(bitmap, sizeof *info, info) != sizeof *info || info->bmWidth <= 0 || info->bmHeight <= 0)) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    if (bitmap == nullptr) {
        FaceReport report = {path, 0};
        Report(&report, 0, nullptr, 0, L"not a bitmap the system can load; the face goes without it");
    }
    return bitmap;
}

// One tile for every dialog, kept as a pattern brush, which tiles from the
// DC's brush origin by itself.
static HBRUSH LoadBackgroundTile(const wchar_t *path)
{
    BITMAP info;
    HBITMAP tile = LoadPicture(path, &info);
    if (tile == nullptr)
        return nullptr;
    HBRUSH brush = CreatePatternBrush(tile);
    // The brush holds a copy of the pattern.
    DeleteObject(tile);
    return brush;
}

// The picture decoded into plain pixels, so that a paint only stretches them.
static void DecodeProgressPicture(const wchar_t *path, FacePictures *pictures)
{
    BITMAP info;
    HBITMAP bitmap = LoadPicture(path, &info);
    if (bitmap == nullptr)
        return;
    const SIZE_T bytes = static_cast<SIZE_T>(info.bmWidth) * info.bmHeight * sizeof(DWORD);
    auto *pixels = static_cast<DWORD *>(HeapAlloc(GetProcessHeap(), 0, bytes));
    BITMAPINFO format;
    DescribeTopDownPixels(&format, info.bmWidth, info.bmHeight);
    HDC screen = GetDC(nullptr);
    const bool decoded =
        pixels != nullptr && GetDIBits(screen, bitmap, 0, info.bmHeight, pixels, &format, DIB_RGB_COLORS) != 0;
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (!decoded) {
        if (pixels != nullptr)
            HeapFree(GetProcessHeap(), 0, pixels);
        return;
    }
    pictures->progressWidth = info.bmWidth;
    pictures->progressHeight = info.bmHeight;
    pictures->progressPixels = pixels;
}

static bool Named(const wchar_t *path)
{
    return path != nullptr && path[0] != L'\0';
}

void LoadFace(Face *face, const wchar_t *iniPath, const wchar_t *backPath, const wchar_t *progressPath)
{
    *face = BuiltInFace;
    if (Named(iniPath))
        ReadFaceIni(face, iniPath);
    if (Named(backPath))
        face->pictures.backgroundTile = LoadBackgroundTile(backPath);
    if (Named(progressPath))
        DecodeProgressPicture(progressPath, &face->pictures);
}

void FreeFacePictures(Face *face)
{
    if (face->pictures.backgroundTile != nullptr)
        DeleteObject(face->pictures.backgroundTile);
    if (face->pictures.progressPixels != nullptr)
        HeapFree(GetProcessHeap(), 0, const_cast<DWORD *>(face->pictures.progressPixels));
    face->pictures = {};
}

// Every face loaded from files, the start-up one included, each with a link
// beside it, guarded by the lock.
struct LoadedFace {
    Face face;
    LoadedFace *next;
};

static LoadedFace *loadedFaces = nullptr;
static SRWLOCK faceLock = SRWLOCK_INIT;
static INIT_ONCE startupLoad = INIT_ONCE_STATIC_INIT;

// A face as chosen, by the start-up search or by EnskinFace, with the dark
// face that shows instead while apps use the dark theme; null without one.
struct ChosenFace {
    const Face *light;
    const Face *dark;
};

// Set once by the start-up load; read only after it.
static ChosenFace startupChoice = {&BuiltInFace, nullptr};
// The choice in force and the app mode as last read, guarded by faceLock.
static ChosenFace chosen = {&BuiltInFace, nullptr};
static bool appsDark = false;

// A face as a LoadedFace, linked in; null when memory runs out.
static const Face *KeepFace(const wchar_t *iniPath, const wchar_t *backPath, const wchar_t *progressPath)
{
    auto *loaded = static_cast<LoadedFace *>(HeapAlloc(GetProcessHeap(), 0, sizeof(LoadedFace)));
    if (loaded == nullptr)
        return nullptr;
    LoadFace(&loaded->face, iniPath, backPath, progressPath);
    AcquireSRWLockExclusive(&faceLock);
    // The system's colours may have changed since the copy of the built-in.
    FollowSystem(&loaded->face);
    loaded->next = loadedFaces;
    loadedFaces = loaded;
    ReleaseSRWLockExclusive(&faceLock);
    return &loaded->face;
}

void FollowSystemColours()
{
    AcquireSRWLockExclusive(&faceLock);
    FollowSystem(&BuiltInFace);
    for (LoadedFace *loaded = loadedFaces; loaded != nullptr; loaded = loaded->next)
        FollowSystem(&loaded->face);
    ReleaseSRWLockExclusive(&faceLock);
}

// The current face's pointer as the interlocked functions take it.
static PVOID volatile *CurrentFaceSlot()
{
    return reinterpret_cast<PVOID volatile *>(const_cast<Face **>(&currentFace));
}

// Read when a face is chosen and when a skinned top-level window hears that
// the app mode may have changed, never per message. Absent, or anything but
// 0, is light.
static bool AppsUseDarkTheme()
{
    DWORD value = 1;
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, PersonalizeKey, AppsUseLightTheme, RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS &&
           value == 0;
}

// Puts the choice in force with the app mode as read; under faceLock.
// Returns whether the face painters draw with changed.
static bool ShowChoice(const ChosenFace &choice, bool dark)
{
    chosen = choice;
    appsDark = dark;
    const Face *face = dark && choice.dark != nullptr ? choice.dark : choice.light;
    return InterlockedExchangePointer(CurrentFaceSlot(), const_cast<Face *>(face)) != face;
}

static bool Exists(const wchar_t *path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

static bool IsFolder(const wchar_t *path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// folder, a backslash unless it ends in one, and the file's name; false
// when it does not fit.
static bool FolderFile(const wchar_t *folder, const wchar_t *file, wchar_t *path)
{
    const int folderLength = lstrlenW(folder);
    const bool separated = folderLength > 0 && (folder[folderLength - 1] == L'\\' || folder[folderLength - 1] == L'/');
    if (folderLength + 1 + lstrlenW(file) >= MAX_PATH)
        return false;
    lstrcpyW(path, folder);
    if (!separated)
        lstrcatW(path, L"\\");
    lstrcatW(path, file);
    return true;
}

// The face of a folder that holds a face.ini: that, and back.bmp and
// progress.bmp where the folder has them. Null when memory runs out or the
// path does not fit.
static const Face *LoadFolderFace(const wchar_t *folder)
{
    wchar_t ini[MAX_PATH], back[MAX_PATH], progress[MAX_PATH];
    if (!FolderFile(folder, FaceIniFile, ini))
        return nullptr;
    const bool hasBack = FolderFile(folder, BackgroundFile, back) && Exists(back);
    const bool hasProgress = FolderFile(folder, ProgressFile, progress) && Exists(progress);
    return KeepFace(ini, hasBack ? back : nullptr, hasProgress ? progress : nullptr);
}

// The dark face of a face folder: its "dark" folder, when that holds a
// face.ini; null without one. A "dark" folder without one is reported, as
// its author surely meant it as a face.
static const Face *LoadDarkFace(const wchar_t *folder)
{
    wchar_t dark[MAX_PATH], ini[MAX_PATH];
    if (!FolderFile(folder, DarkFolder, dark) || !IsFolder(dark))
        return nullptr;
    if (!FolderFile(dark, FaceIniFile, ini) || !Exists(ini)) {
        FaceReport report = {dark, 0};
        Report(&report, 0, nullptr, 0, L"no face.ini; the face does not follow the system's dark mode");
        return nullptr;
    }
    return LoadFolderFace(dark);
}

// The dark face is looked for as the other files are: "dark\face.ini" in the
// face folder under the current directory, then beside the module.
static BOOL CALLBACK LoadStartupFace(PINIT_ONCE, PVOID, PVOID *)
{
    wchar_t ini[MAX_PATH], back[MAX_PATH], progress[MAX_PATH], darkIni[MAX_PATH];
    const bool hasIni = FindFaceFile(FaceIniFile, ini, MAX_PATH);
    const bool hasBack = FindFaceFile(BackgroundFile, back, MAX_PATH);
    const bool hasProgress = FindFaceFile(ProgressFile, progress, MAX_PATH);
    if (hasIni || hasBack || hasProgress) {
        const Face *face = KeepFace(ini, back, progress);
        if (face != nullptr)
            startupChoice.light = face;
    }
    if (FindFaceFile(DarkFaceIni, darkIni, MAX_PATH)) {
        // The folder: the path without its "\face.ini".
        darkIni[lstrlenW(darkIni) - lstrlenW(FaceIniFile) - 1] = L'\0';
        startupChoice.dark = LoadFolderFace(darkIni);
    }
    // Every switch waits for this load first, so none can have been made.
    const bool dark = AppsUseDarkTheme();
    AcquireSRWLockExclusive(&faceLock);
    ShowChoice(startupChoice, dark);
    ReleaseSRWLockExclusive(&faceLock);
    return TRUE;
}

const Face *StartupFace()
{
    InitOnceExecuteOnce(&startupLoad, LoadStartupFace, nullptr, nullptr);
    return currentFace;
}

// Each top-level window that holds a skinned window, once: the calling
// thread's repainted at once, the others' invalidated for their own threads
// to repaint.
static void RepaintSkinnedWindows()
{
    int count = 0;
    HWND *windows = CollectSkinnedWindows(&count);
    if (windows == nullptr)
        return;
    for (int i = 0; i < count; ++i)
        windows[i] = GetAncestor(windows[i], GA_ROOT);
    const DWORD thread = GetCurrentThreadId();
    for (int i = 0; i < count; ++i) {
        bool seen = windows[i] == nullptr;
        for (int j = 0; j < i && !seen; ++j)
            seen = windows[j] == windows[i];
        if (seen)
            continue;
        const bool own = GetWindowThreadProcessId(windows[i], nullptr) == thread;
        RedrawWindow(windows[i], nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | (own ? RDW_UPDATENOW : 0));
    }
    HeapFree(GetProcessHeap(), 0, windows);
}

bool SwitchFace(const wchar_t *folder)
{
    StartupFace();
    ChosenFace choice = startupChoice;
    if (folder != nullptr) {
        wchar_t ini[MAX_PATH];
        if (!IsFolder(folder) || !FolderFile(folder, FaceIniFile, ini) || !Exists(ini)) {
            FaceReport report = {folder, 0};
            Report(&report, 0, nullptr, 0, L"no face folder with a face.ini; the face stays as it was");
            return false;
        }
        choice.light = LoadFolderFace(folder);
        if (choice.light == nullptr)
            return false;
        choice.dark = LoadDarkFace(folder);
    }
    const bool dark = AppsUseDarkTheme();
    AcquireSRWLockExclusive(&faceLock);
    ShowChoice(choice, dark);
    ReleaseSRWLockExclusive(&faceLock);
    RepaintSkinnedWindows();
    return true;
}

// Several top-level windows hear of one change; the first to read the new
// mode switches, and the others find it already in force.
void FollowAppMode()
{
    StartupFace();
    const bool dark = AppsUseDarkTheme();
    AcquireSRWLockExclusive(&faceLock);
    const bool switched = dark != appsDark && ShowChoice(chosen, dark);
    ReleaseSRWLockExclusive(&faceLock);
    if (switched)
        RepaintSkinnedWindows();
}

void FreeLoadedFaces()
{
    AcquireSRWLockExclusive(&faceLock);
    LoadedFace *loaded = loadedFaces;
    loadedFaces = nullptr;
    ReleaseSRWLockExclusive(&faceLock);
    while (loaded != nullptr) {
        LoadedFace *next = loaded->next;
        FreeFacePictures(&loaded->face);
        HeapFree(GetProcessHeap(), 0, loaded);
        loaded = next;
    }
}
