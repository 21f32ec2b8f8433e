// A program's own system colours in the face: its calls of GetSysColor and
// GetSysColorBrush, and of FillRect with a system colour's brush
// ((HBRUSH)(COLOR_WINDOW + 1)), through the import tables of its own
// modules, answered from the current face, so that what it draws itself
// (owner-drawn items, its own backgrounds and texts) follows the face as the
// skinned controls do. Only on request (velk-run asks for it); the library's
// own imports, the system's DLLs and a host that never asks are left alone.
#include "skin.h"

#define PSAPI_VERSION 2
#include <psapi.h>

#include <climits>
#include <cstddef>

// COLOR_SCROLLBAR (0) to COLOR_MENUBAR, the system colours there are.
constexpr int SystemColourCount = COLOR_MENUBAR + 1;

// A system colour answered by no face colour: the system's own.
constexpr size_t SystemsOwn = 0;

// System colours answered by a named face colour, text and background in
// pairs that the face keeps readable together: the window colour by the
// lists' background, which its text goes with, rather than by the field
// rings that follow it in the list; the button face by the dialogs'
// background, of the three that follow it; and colours that nothing in the
// list follows but a program draws with, its selection, menus and tips.
struct NamedFollower {
    int system;
    size_t colour;  // its offset in Face
};

static const NamedFollower NamedFollowers[] = {
    {COLOR_WINDOW, offsetof(Face, listBackground)},
    {COLOR_WINDOWTEXT, offsetof(Face, listText)},
    {COLOR_BTNFACE, offsetof(Face, dialogBackground)},
    {COLOR_HIGHLIGHT, offsetof(Face, menuHotBackground)},
    {COLOR_HIGHLIGHTTEXT, offsetof(Face, menuHotText)},
    {COLOR_MENU, offsetof(Face, menuBackground)},
    {COLOR_MENUTEXT, offsetof(Face, menuText)},
    {COLOR_INFOBK, offsetof(Face, tooltipBackground)},
    {COLOR_INFOTEXT, offsetof(Face, tooltipText)},
};

// The face colour that answers each system colour, as its offset in Face.
// Made once, before the first import slot is rewritten, and only read after.
static size_t answeringColour[SystemColourCount];
static INIT_ONCE answersMade = INIT_ONCE_STATIC_INIT;

typedef DWORD(WINAPI *GetSysColorFunction)(int index);
typedef HBRUSH(WINAPI *GetSysColorBrushFunction)(int index);
typedef int(WINAPI *FillRectFunction)(HDC dc, const RECT *rect, HBRUSH brush);

// user32's own functions, which the rewritten slots held.
static GetSysColorFunction systemGetSysColor = nullptr;
static GetSysColorBrushFunction systemGetSysColorBrush = nullptr;
static FillRectFunction systemFillRect = nullptr;

// Beside the named ones, each system colour the list's system column names
// answers from the first colour of the list that follows it; a darkened one
// is no system colour of its own and answers nothing.
static BOOL CALLBACK MakeAnswers(PINIT_ONCE, PVOID, PVOID *)
{
    for (const NamedFollower &named : NamedFollowers)
        answeringColour[named.system] = named.colour;
    wchar_t key[64];
    size_t offset = 0;
    for (int index = 0; DescribeFaceKey(index, key, 64, &offset); ++index) {
        const int system = FaceSystemColour(index);
        if (system >= 0 && system < SystemColourCount && answeringColour[system] == SystemsOwn)
            answeringColour[system] = offset;
    }
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    systemGetSysColor = reinterpret_cast<GetSysColorFunction>(
        reinterpret_cast<void *>(GetProcAddress(user32, "GetSysColor")));
    systemGetSysColorBrush = reinterpret_cast<GetSysColorBrushFunction>(
        reinterpret_cast<void *>(GetProcAddress(user32, "GetSysColorBrush")));
    systemFillRect =
        reinterpret_cast<FillRectFunction>(reinterpret_cast<void *>(GetProcAddress(user32, "FillRect")));
    return systemGetSysColor != nullptr && systemGetSysColorBrush != nullptr && systemFillRect != nullptr;
}

// The face colour answering index, or SystemsOwn; the system's own colours
// while high contrast is on, as the skin stands aside then.
static size_t AnsweringColour(int index)
{
    if (index < 0 || index >= SystemColourCount || HighContrastOn())
        return SystemsOwn;
    return answeringColour[index];
}

// The current face's colour, read on every call so that a face switch or a
// change of the system's colours shows at the program's next paint. The top
// byte is the painters' flag, no part of the colour.
static COLORREF FaceColourAt(size_t offset)
{
    const COLORREF colour = *reinterpret_cast<const COLORREF *>(reinterpret_cast<const BYTE *>(CurrentFace()) + offset);
    return colour & 0x00FFFFFF;
}

static DWORD WINAPI FaceSysColor(int index)
{
    const size_t colour = AnsweringColour(index);
    return colour == SystemsOwn ? systemGetSysColor(index) : FaceColourAt(colour);
}

// One brush per colour ever answered, kept for the life of the process: a
// program holds a system colour brush as long as it likes and never deletes
// it, across face switches too. Switching between faces finds their brushes
// again, so there are at most as many as the faces loaded have colours.
struct ColourBrush {
    COLORREF colour;
    HBRUSH brush;
    ColourBrush *next;
};

static SRWLOCK brushLock = SRWLOCK_INIT;
static ColourBrush *colourBrushes = nullptr;

static HBRUSH BrushOfColour(COLORREF colour)
{
    AcquireSRWLockExclusive(&brushLock);
    ColourBrush *kept = colourBrushes;
    while (kept != nullptr && kept->colour != colour)
        kept = kept->next;
    if (kept == nullptr) {
        kept = static_cast<ColourBrush *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *kept));
        if (kept != nullptr) {
            kept->colour = colour;
            kept->next = colourBrushes;
            colourBrushes = kept;
        }
    }
    // A program may delete a system brush, which the system ignores; a brush
    // of ours it deleted so is made again.
    if (kept != nullptr && GetObjectType(kept->brush) != OBJ_BRUSH)
        kept->brush = CreateSolidBrush(colour);
    HBRUSH brush = kept != nullptr ? kept->brush : nullptr;
    ReleaseSRWLockExclusive(&brushLock);
    return brush;
}

static HBRUSH WINAPI FaceSysColorBrush(int index)
{
    const size_t colour = AnsweringColour(index);
    HBRUSH brush = colour == SystemsOwn ? nullptr : BrushOfColour(FaceColourAt(colour));
    return brush != nullptr ? brush : systemGetSysColorBrush(index);
}

// FillRect takes a system colour's index plus one for its brush, which
// user32 turns into the system's brush itself.
static int WINAPI FaceFillRect(HDC dc, const RECT *rect, HBRUSH brush)
{
    const ULONG_PTR colourIndexPlusOne = reinterpret_cast<ULONG_PTR>(brush);
    if (colourIndexPlusOne >= 1 && colourIndexPlusOne <= SystemColourCount)
        brush = FaceSysColorBrush(static_cast<int>(colourIndexPlusOne - 1));
    return systemFillRect(dc, rect, brush);
}

// Rewrites one import slot, making its page writable for the moment: with
// execute kept where it had it, since a module may keep its imports in a
// page of code that another thread runs meanwhile.
static bool RewriteSlot(ULONG_PTR *slot, ULONG_PTR value)
{
    MEMORY_BASIC_INFORMATION page;
    if (VirtualQuery(slot, &page, sizeof page) != sizeof page)
        return false;
    const DWORD access = page.Protect & 0xFF;
    const bool executable = (access & (PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                                       PAGE_EXECUTE_WRITECOPY)) != 0;
    DWORD was = 0;
    if (!VirtualProtect(slot, sizeof *slot, executable ? PAGE_EXECUTE_READWRITE : PAGE_READWRITE, &was))
        return false;
    InterlockedExchangePointer(reinterpret_cast<void **>(slot), reinterpret_cast<void *>(value));
    VirtualProtect(slot, sizeof *slot, was, &was);
    return true;
}

// Every import slot of the module that holds user32's GetSysColor,
// GetSysColorBrush or FillRect now answers from the face. However the module
// named the function (by name, by ordinal, bound ahead of time, through any
// DLL name) the loader has put user32's address in the slot, so the slot's
// value says which function it is. The library is built once per bitness
// and only ever reads modules of its own process, so the module's headers
// are of its own kind (PE32 or PE32+), or left alone. Returns how many slots
// it rewrote.
static int AnswerModuleFromFace(HMODULE module)
{
    const struct {
        ULONG_PTR system;
        ULONG_PTR face;
    } answers[] = {
        {reinterpret_cast<ULONG_PTR>(systemGetSysColor), reinterpret_cast<ULONG_PTR>(&FaceSysColor)},
        {reinterpret_cast<ULONG_PTR>(systemGetSysColorBrush), reinterpret_cast<ULONG_PTR>(&FaceSysColorBrush)},
        {reinterpret_cast<ULONG_PTR>(systemFillRect), reinterpret_cast<ULONG_PTR>(&FaceFillRect)},
    };
    BYTE *base = reinterpret_cast<BYTE *>(module);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return 0;
    const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    if (headers->Signature != IMAGE_NT_SIGNATURE || headers->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC ||
        headers->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
        return 0;
    const IMAGE_DATA_DIRECTORY &imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0 || imports.Size == 0)
        return 0;
    int rewritten = 0;
    for (auto *named = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         named->Name != 0; ++named) {
        if (named->FirstThunk == 0)
            continue;
        for (auto *slot = reinterpret_cast<ULONG_PTR *>(base + named->FirstThunk); *slot != 0; ++slot) {
            for (const auto &answer : answers) {
                if (*slot == answer.system && RewriteSlot(slot, answer.face))
                    ++rewritten;
            }
        }
    }
    return rewritten;
}

// The folder part of a module's path, with its closing backslash; 0 when
// the name does not fit.
static size_t ModuleFolder(HMODULE module, wchar_t *path, DWORD capacity)
{
    const DWORD length = GetModuleFileNameW(module, path, capacity);
    if (length == 0 || length >= capacity)
        return 0;
    size_t folder = length;
    while (folder > 0 && path[folder - 1] != L'\\' && path[folder - 1] != L'/')
        --folder;
    return folder;
}

static bool SameFolder(const wchar_t *one, size_t oneLength, const wchar_t *other, size_t otherLength)
{
    return oneLength == otherLength && oneLength < INT_MAX &&
           CompareStringOrdinal(one, static_cast<int>(oneLength), other, static_cast<int>(otherLength), TRUE) ==
               CSTR_EQUAL;
}

// Whether the folder is one of the system's: a program there (Notepad,
// Winefile) has the system's DLLs beside it, which are not its own.
static bool IsSystemFolder(const wchar_t *folder, size_t length)
{
    UINT (WINAPI *const systemFolders[])(LPWSTR, UINT) = {GetSystemDirectoryW, GetWindowsDirectoryW,
                                                          GetSystemWow64DirectoryW};
    for (auto systemFolder : systemFolders) {
        wchar_t path[MAX_PATH + 1];
        UINT pathLength = systemFolder(path, MAX_PATH);
        if (pathLength == 0 || pathLength >= MAX_PATH)
            continue;
        if (path[pathLength - 1] != L'\\')
            path[pathLength++] = L'\\';
        if (SameFolder(folder, length, path, pathLength))
            return true;
    }
    return false;
}

// The program's own modules: its executable, and the DLLs it loaded from
// the executable's folder unless that is a folder of the system's; never
// this library, whose own GetSysColor calls read the system's colours that
// the built-in face follows.
int AnswerProgramColoursFromFace()
{
    HMODULE library = nullptr;
    // The rewritten slots point into this library for the rest of the
    // process: it stays loaded until then.
    if (!InitOnceExecuteOnce(&answersMade, MakeAnswers, nullptr, nullptr) ||
        !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                            reinterpret_cast<LPCWSTR>(&FaceSysColor), &library))
        return 0;
    // The face is loaded here, on the caller's thread, rather than in the
    // program's first colour call, wherever that is made.
    CurrentFace();
    HMODULE program = GetModuleHandleW(nullptr);
    int rewritten = AnswerModuleFromFace(program);
    wchar_t programPath[MAX_PATH];
    const size_t programFolder = ModuleFolder(program, programPath, MAX_PATH);
    if (programFolder == 0 || IsSystemFolder(programPath, programFolder))
        return rewritten;
    const DWORD MaxModules = 1024;
    HMODULE modules[MaxModules];
    DWORD size = 0;
    if (!K32EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &size))
        return rewritten;
    const DWORD count = size / sizeof modules[0] < MaxModules ? size / sizeof modules[0] : MaxModules;
    for (DWORD i = 0; i < count; ++i) {
        // Held while it is read: another thread of the program may be
        // unloading it.
        HMODULE held = nullptr;
        if (modules[i] == program || modules[i] == library ||
            !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(modules[i]), &held))
            continue;
        wchar_t path[MAX_PATH];
        const size_t folder = ModuleFolder(held, path, MAX_PATH);
        if (folder != 0 && SameFolder(path, folder, programPath, programFolder))
            rewritten += AnswerModuleFromFace(held);
        FreeLibrary(held);
    }
    return rewritten;
}
