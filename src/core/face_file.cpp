// Faces from files: a folder's face.ini, back.bmp and progress.bmp made into
// a Face that never changes once loaded, and the switch of the current face.
//
// face.ini is read here rather than through GetPrivateProfileString, so that a
// file of any size, encoding or content is read in bounded time and every
// problem is named: one debugger line each, and the built-in colour stays.
#include "skin.h"

#include <cstddef>

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

// A key names one colour, or, with rows and cells, each colour of a table:
// the key is the name, then the row's name, then the cell's.
struct FaceKeyGroup {
    const wchar_t *name;
    size_t offset;
    const wchar_t *const *rows;  // null: a single row with no name
    int rowCount;
    const wchar_t *const *cells;  // null: a single cell with no name
    int cellCount;
};

static const wchar_t *const Corners[] = {L"TopLeft", L"TopRight", L"BottomLeft", L"BottomRight"};
static const wchar_t *const Ends[] = {L"Top", L"Bottom"};
static const wchar_t *const Outline[] = {L"Corner", L"Line"};
static const wchar_t *const CheckFaceRows[] = {L"Pressed", L"Hot", L"Resting"};
static const wchar_t *const IndicatorFillRows[] = {L"IndeterminateDisabled", L"IndeterminatePressed",
                                                   L"IndeterminateHot", L"Indeterminate", L"HotChecked", L"Hot"};
static const wchar_t *const OuterFaceRows[] = {L"Disabled", L"Pressed", L"Hot", L"Focused", L"Resting"};
static const wchar_t *const InnerFaceRows[] = {L"Disabled", L"Pressed", L"FlatFocused", L"Resting"};
static const wchar_t *const TabRows[] = {L"", L"Selected"};
static const wchar_t *const TabCells[] = {L"Fill", L"Text"};
static const wchar_t *const CaptionButtonRows[] = {L"Pressed", L"Unchosen", L"Normal", L"Hot", L"Unoffered"};
static const wchar_t *const ScrollRows[] = {L"Disabled", L"Pressed", L"Hot", L"Normal"};

#define FACE_COUNT(table) static_cast<int>(sizeof table / sizeof table[0])
#define FACE_ONE(name, field) {name, offsetof(Face, field), nullptr, 1, nullptr, 1}
#define FACE_CELLS(name, field, cells) {name, offsetof(Face, field), nullptr, 1, cells, FACE_COUNT(cells)}
#define FACE_TABLE(name, field, rows, cells) \
    {name, offsetof(Face, field), rows, FACE_COUNT(rows), cells, FACE_COUNT(cells)}

// In the order of Face; the README lists them all with their built-in colours.
static const FaceKeyGroup FaceKeys[] = {
    FACE_ONE(L"ControlBackground", controlBackground),
    FACE_TABLE(L"CheckFace", checkFaces, CheckFaceRows, Corners),
    FACE_CELLS(L"RadioDot", radioDot, Corners),
    FACE_CELLS(L"IndicatorFill", indicatorFills, IndicatorFillRows),
    FACE_ONE(L"IndicatorFrame", indicatorFrame),
    FACE_ONE(L"CheckMark", checkMark),
    FACE_ONE(L"CheckMarkDisabled", checkMarkDisabled),
    FACE_ONE(L"ChoiceText", choiceText),
    FACE_ONE(L"ChoiceGreyText", choiceGreyText),
    FACE_CELLS(L"PushBackdrop", pushBackdrop, Ends),
    FACE_ONE(L"PushShadow", pushShadow),
    FACE_ONE(L"PushLight", pushLight),
    FACE_CELLS(L"PushOutline", pushOutline, Outline),
    FACE_CELLS(L"PushOutlineDisabled", pushOutlineDisabled, Outline),
    FACE_TABLE(L"PushOuterFace", pushOuterFaces, OuterFaceRows, Ends),
    FACE_TABLE(L"PushInnerFace", pushInnerFaces, InnerFaceRows, Ends),
    FACE_ONE(L"ButtonText", buttonText),
    FACE_ONE(L"ButtonGreyText", buttonGreyText),
    FACE_ONE(L"GroupFrame", groupFrame),
    FACE_ONE(L"LabelText", labelText),
    FACE_ONE(L"EditRing", editRing),
    FACE_ONE(L"FieldFrame", fieldFrame),
    FACE_ONE(L"DisabledFrame", disabledFrame),
    FACE_ONE(L"ProgressFrame", progressFrame),
    FACE_ONE(L"ProgressBackground", progressBackground),
    FACE_TABLE(L"Tab", tabs, TabRows, TabCells),
    FACE_ONE(L"TabOutline", tabOutline),
    FACE_ONE(L"ListBackground", listBackground),
    FACE_ONE(L"ListText", listText),
    FACE_ONE(L"DialogFrame", dialogFrame),
    FACE_ONE(L"DialogBackground", dialogBackground),
    FACE_CELLS(L"ActiveCaption", activeCaption, Corners),
    FACE_CELLS(L"InactiveCaption", inactiveCaption, Corners),
    FACE_ONE(L"CaptionText", captionText),
    FACE_TABLE(L"CaptionButton", captionButtons, CaptionButtonRows, Corners),
    FACE_ONE(L"CaptionGlyph", captionGlyph),
    FACE_TABLE(L"ScrollOuter", scrollOuter, ScrollRows, Corners),
    FACE_TABLE(L"ScrollCorners", scrollCorners, ScrollRows, Corners),
    FACE_TABLE(L"ScrollInner", scrollInner, ScrollRows, Corners),
    FACE_TABLE(L"VerticalTrack", verticalTrack, ScrollRows, Corners),
    FACE_TABLE(L"HorizontalTrack", horizontalTrack, ScrollRows, Corners),
    FACE_ONE(L"ScrollShadow", scrollShadow),
    FACE_ONE(L"ScrollShadowDisabled", scrollShadowDisabled),
    FACE_ONE(L"ScrollGlyph", scrollGlyph),
    FACE_ONE(L"ScrollGlyphDisabled", scrollGlyphDisabled),
    FACE_ONE(L"GripperLight", gripperLight),
    FACE_ONE(L"GripperDark", gripperDark),
    FACE_ONE(L"TrackbarTick", trackbarTick),
    FACE_ONE(L"TrackbarSelection", trackbarSelection),
    FACE_ONE(L"BarBackground", barBackground),
    FACE_ONE(L"BarText", barText),
    FACE_ONE(L"BarDivider", barDivider),
    FACE_ONE(L"HeaderHot", headerHot),
    FACE_ONE(L"HeaderPressed", headerPressed),
    FACE_ONE(L"HeaderSortArrow", headerSortArrow),
    FACE_ONE(L"ToolbarButtonHot", toolbarButtonHot),
    FACE_ONE(L"ToolbarButtonPressed", toolbarButtonPressed),
    FACE_ONE(L"TooltipBackground", tooltipBackground),
    FACE_ONE(L"TooltipText", tooltipText),
    FACE_ONE(L"TooltipBorder", tooltipBorder),
    FACE_ONE(L"ReadOnlyBackground", readOnlyBackground),
    FACE_ONE(L"ReadOnlyText", readOnlyText),
    FACE_ONE(L"MenuBackground", menuBackground),
    FACE_ONE(L"MenuText", menuText),
    FACE_ONE(L"MenuGreyText", menuGreyText),
    FACE_ONE(L"MenuHotBackground", menuHotBackground),
    FACE_ONE(L"MenuHotText", menuHotText),
    FACE_ONE(L"MenuSeparator", menuSeparator),
    FACE_ONE(L"MenuFrame", menuFrame),
};

#undef FACE_TABLE
#undef FACE_CELLS
#undef FACE_ONE
#undef FACE_COUNT

static void AppendName(wchar_t *name, size_t capacity, size_t *length, const wchar_t *part)
{
    for (; part != nullptr && *part != L'\0' && *length + 1 < capacity; ++part)
        name[(*length)++] = *part;
    name[*length] = L'\0';
}

bool DescribeFaceKey(int index, wchar_t *name, size_t capacity, size_t *offset)
{
    for (const FaceKeyGroup &group : FaceKeys) {
        const int count = group.rowCount * group.cellCount;
        if (index >= count) {
            index -= count;
            continue;
        }
        const int row = index / group.cellCount;
        const int cell = index % group.cellCount;
        size_t length = 0;
        AppendName(name, capacity, &length, group.name);
        AppendName(name, capacity, &length, group.rows != nullptr ? group.rows[row] : nullptr);
        AppendName(name, capacity, &length, group.cells != nullptr ? group.cells[cell] : nullptr);
        *offset = group.offset + static_cast<size_t>(index) * sizeof(COLORREF);
        return true;
    }
    return false;
}

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

// The colour the key sets, or null for an unknown key.
static COLORREF *FindKeyColour(Face *face, const wchar_t *key, int keyLength)
{
    wchar_t name[64];
    size_t offset;
    for (int index = 0; DescribeFaceKey(index, name, 64, &offset); ++index) {
        if (lstrlenW(name) == keyLength &&
            CompareStringOrdinal(name, keyLength, key, keyLength, TRUE) == CSTR_EQUAL)
            return reinterpret_cast<COLORREF *>(reinterpret_cast<BYTE *>(face) + offset);
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
    // that chooses how they are filled; a colour of the file keeps it. A
    // colour left to the system (CLR_INVALID) is no flag.
    const COLORREF flag = *colour != CLR_INVALID ? (*colour & 0xFF000000) : 0;
    *colour = parsed | flag;
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
static const Face *startupFace = &BuiltInFace;

// A face as a LoadedFace, linked in; null when memory runs out.
static const Face *KeepFace(const wchar_t *iniPath, const wchar_t *backPath, const wchar_t *progressPath)
{
    auto *loaded = static_cast<LoadedFace *>(HeapAlloc(GetProcessHeap(), 0, sizeof(LoadedFace)));
    if (loaded == nullptr)
        return nullptr;
    LoadFace(&loaded->face, iniPath, backPath, progressPath);
    AcquireSRWLockExclusive(&faceLock);
    loaded->next = loadedFaces;
    loadedFaces = loaded;
    ReleaseSRWLockExclusive(&faceLock);
    return &loaded->face;
}

// The current face's pointer as the interlocked functions take it.
static PVOID volatile *CurrentFaceSlot()
{
    return reinterpret_cast<PVOID volatile *>(const_cast<Face **>(&currentFace));
}

static BOOL CALLBACK LoadStartupFace(PINIT_ONCE, PVOID, PVOID *)
{
    wchar_t ini[MAX_PATH], back[MAX_PATH], progress[MAX_PATH];
    const bool hasIni = FindFaceFile(FaceIniFile, ini, MAX_PATH);
    const bool hasBack = FindFaceFile(BackgroundFile, back, MAX_PATH);
    const bool hasProgress = FindFaceFile(ProgressFile, progress, MAX_PATH);
    if (hasIni || hasBack || hasProgress) {
        const Face *face = KeepFace(ini, back, progress);
        if (face != nullptr)
            startupFace = face;
    }
    // A switch made meanwhile on another thread stays.
    InterlockedCompareExchangePointer(CurrentFaceSlot(), const_cast<Face *>(startupFace), nullptr);
    return TRUE;
}

const Face *StartupFace()
{
    InitOnceExecuteOnce(&startupLoad, LoadStartupFace, nullptr, nullptr);
    return currentFace;
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

static bool Exists(const wchar_t *path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
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
    const Face *face = startupFace;
    if (folder != nullptr) {
        wchar_t ini[MAX_PATH], back[MAX_PATH], progress[MAX_PATH];
        const DWORD attributes = GetFileAttributesW(folder);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            !FolderFile(folder, FaceIniFile, ini) || !Exists(ini)) {
            FaceReport report = {folder, 0};
            Report(&report, 0, nullptr, 0, L"no face folder with a face.ini; the face stays as it was");
            return false;
        }
        FolderFile(folder, BackgroundFile, back);
        FolderFile(folder, ProgressFile, progress);
        face = KeepFace(ini, Exists(back) ? back : nullptr, Exists(progress) ? progress : nullptr);
        if (face == nullptr)
            return false;
    }
    InterlockedExchangePointer(CurrentFaceSlot(), const_cast<Face *>(face));
    RepaintSkinnedWindows();
    return true;
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
