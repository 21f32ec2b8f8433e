// velk-run [--face FOLDER] PROGRAM [ARGUMENTS...]
//
// Starts a program that was never written for the library with its GUI
// threads skinned, waits for it and ends with its exit code. The program is
// started suspended and made to load velk-run-hook.dll (through a thread of
// its own that runs LoadLibraryW) before its first thread runs; the hook
// does the rest from inside, through velk.dll's exports.
#include <windows.h>

#define PSAPI_VERSION 2
#include <psapi.h>

#include <string>

static const wchar_t HookName[] = L"velk-run-hook.dll";
// The face folder reaches the hook through the program's environment, which
// it inherits from the launcher.
static const wchar_t FaceVariable[] = L"VELK_RUN_FACE";
static const wchar_t VelkName[] = L"velk.dll";

// The launcher's own failures; otherwise it ends with the program's code.
static const int CouldNotRun = 1;
static const int BadUsage = 2;

static const bool SixtyFourBit = sizeof(void *) == 8;

// To the console as wide text; to a file or pipe as UTF-8.
static void Report(const std::wstring &text)
{
    const std::wstring line = L"velk-run: " + text + L"\r\n";
    HANDLE out = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &bytes[0], size, nullptr, nullptr);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The system's own words for an error code, without the line break it ends
// them with.
static std::wstring SystemText(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring result = length != 0 ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
        result.pop_back();
    return result;
}

// The folder of this program, with its trailing separator.
static std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// One argument as the C runtime's parser reads it back: quoted when it is
// empty or holds blanks or quotes, with the backslashes before a quote
// doubled.
static void AppendArgument(std::wstring *line, const std::wstring &argument)
{
    if (!line->empty())
        line->push_back(L' ');
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line->append(argument);
        return;
    }
    line->push_back(L'"');
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line->append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        line->push_back(c);
        backslashes = 0;
    }
    line->append(backslashes * 2, L'\\');
    line->push_back(L'"');
}

// A program of the other bitness cannot load the hook: the message names the
// launcher that can. Anything that is not a 32- or 64-bit Windows program is
// left to CreateProcess to refuse in its own words.
static bool OfOtherBitness(const std::wstring &path, const std::wstring &program)
{
    DWORD type = 0;
    if (!GetBinaryTypeW(path.c_str(), &type))
        return false;
    const bool programIs64 = type == SCS_64BIT_BINARY;
    if ((type != SCS_32BIT_BINARY && !programIs64) || programIs64 == SixtyFourBit)
        return false;
    Report(program + L" is a " + (programIs64 ? L"64" : L"32") + L"-bit program and this velk-run is " +
           (SixtyFourBit ? L"64" : L"32") + L"-bit: start it with the " + (programIs64 ? L"x64" : L"x86") +
           L" velk-run.exe, from velk-" + VELK_VERSION + L"-" + (programIs64 ? L"x64" : L"x86") + L".zip");
    return true;
}

// Loads the hook into the suspended program through a thread of the
// program's own that runs LoadLibraryW. kernel32 lies at the same address in
// every process of one bitness, so this process's LoadLibraryW is the
// program's. The first thread to run in a new process sets the process up,
// so the hook is loaded before the program's own first thread starts, and
// that thread is announced to it like any later one.
static bool LoadHook(HANDLE process, const std::wstring &hookPath)
{
    const SIZE_T size = (hookPath.size() + 1) * sizeof(wchar_t);
    void *remotePath = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remotePath == nullptr)
        return false;
    DWORD loaded = 0;
    HANDLE thread = nullptr;
    if (WriteProcessMemory(process, remotePath, hookPath.c_str(), size, nullptr)) {
        const FARPROC loadLibrary = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW");
        thread = CreateRemoteThread(process, nullptr, 0,
                                    reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void *>(loadLibrary)),
                                    remotePath, 0, nullptr);
    }
    if (thread != nullptr) {
        WaitForSingleObject(thread, INFINITE);
        // The module handle, cut to 32 bits: never zero for a loaded module,
        // whose address is 64 KiB aligned and far below 4 GiB multiples.
        GetExitCodeThread(thread, &loaded);
        CloseHandle(thread);
    }
    VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
    return loaded != 0;
}

// Has another thread of the suspended program run the hook's PrepareProgram,
// which answers the program's own colour calls from the face from its first
// instruction on. The hook lies where the program's loader put it; its
// export lies as far into it as into a copy mapped here, unrun.
static bool PrepareProgram(HANDLE process)
{
    const std::wstring hookPath = OwnFolder() + HookName;
    HMODULE local = LoadLibraryExW(hookPath.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    const FARPROC entry = local != nullptr ? GetProcAddress(local, "PrepareProgram") : nullptr;
    HMODULE modules[1024];
    DWORD size = 0;
    HMODULE remote = nullptr;
    if (entry != nullptr && K32EnumProcessModules(process, modules, sizeof modules, &size)) {
        for (DWORD i = 0; i < size / sizeof modules[0] && i < 1024; ++i) {
            wchar_t name[MAX_PATH];
            if (K32GetModuleBaseNameW(process, modules[i], name, MAX_PATH) != 0 && lstrcmpiW(name, HookName) == 0)
                remote = modules[i];
        }
    }
    HANDLE thread = nullptr;
    if (remote != nullptr) {
        const BYTE *start = reinterpret_cast<const BYTE *>(remote) +
                            (reinterpret_cast<const BYTE *>(entry) - reinterpret_cast<const BYTE *>(local));
        thread = CreateRemoteThread(process, nullptr, 0,
                                    reinterpret_cast<LPTHREAD_START_ROUTINE>(const_cast<BYTE *>(start)), nullptr, 0,
                                    nullptr);
    }
    if (thread != nullptr) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    if (local != nullptr)
        FreeLibrary(local);
    return thread != nullptr;
}

static int Usage()
{
    Report(L"usage: velk-run [--face FOLDER] PROGRAM [ARGUMENTS...]");
    return BadUsage;
}

int wmain(int argc, wchar_t **argv)
{
    int first = 1;
    while (first < argc && argv[first][0] == L'-') {
        const std::wstring option = argv[first];
        if (option == L"--") {
            ++first;
            break;
        }
        if (option == L"--face" && first + 1 < argc) {
            wchar_t face[MAX_PATH];
            const DWORD length = GetFullPathNameW(argv[first + 1], MAX_PATH, face, nullptr);
            const std::wstring faceFile = std::wstring(face) + L"\\face.ini";
            const bool found = length != 0 && length < MAX_PATH &&
                               GetFileAttributesW(faceFile.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (!found) {
                Report(L"--face " + std::wstring(argv[first + 1]) + L": no face.ini in that folder");
                return BadUsage;
            }
            SetEnvironmentVariableW(FaceVariable, face);
            first += 2;
            continue;
        }
        Report(L"unknown option " + option);
        return Usage();
    }
    if (first >= argc)
        return Usage();

    const std::wstring folder = OwnFolder();
    for (const wchar_t *needed : {HookName, VelkName}) {
        if (GetFileAttributesW((folder + needed).c_str()) == INVALID_FILE_ATTRIBUTES) {
            Report(std::wstring(needed) + L" is missing; it belongs beside velk-run.exe in " + folder);
            return CouldNotRun;
        }
    }

    const std::wstring program = argv[first];
    wchar_t path[MAX_PATH];
    const DWORD found = SearchPathW(nullptr, program.c_str(), L".exe", MAX_PATH, path, nullptr);
    if (found == 0 || found >= MAX_PATH) {
        const DWORD error = found == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        Report(L"cannot start " + program + L": " + SystemText(error));
        return CouldNotRun;
    }
    if (OfOtherBitness(path, program))
        return CouldNotRun;

    std::wstring commandLine;
    for (int i = first; i < argc; ++i)
        AppendArgument(&commandLine, argv[i]);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // The program writes where the launcher writes, as if started directly.
    if (!CreateProcessW(path, &commandLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &process)) {
        Report(L"cannot start " + program + L": " + SystemText(GetLastError()));
        return CouldNotRun;
    }
    if (!LoadHook(process.hProcess, folder + HookName)) {
        Report(L"could not load " + std::wstring(HookName) + L" into " + program + L"; it was not run");
        TerminateProcess(process.hProcess, CouldNotRun);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return CouldNotRun;
    }
    if (!PrepareProgram(process.hProcess))
        Report(L"could not prepare " + program + L": what it draws itself keeps the system's colours");
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = CouldNotRun;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}
