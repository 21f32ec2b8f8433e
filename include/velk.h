/*
 * velk.dll: a skinned look for a host's standard controls and dialog boxes.
 *
 * Link against the import library, or load the DLL with LoadLibrary and take
 * the four exports with GetProcAddress (by name, or by ordinal 1 to 4); the
 * typedefs below fit GetProcAddress.
 *
 * Enskin(window, enable)
 *   window != NULL, enable != 0: skin that window. Returns a non-zero value
 *       (the address of the library's record of it), or 0 when the window is
 *       already skinned, is not a window, is of a kind the library does not
 *       skin, belongs to another thread, or cannot be subclassed.
 *   window != NULL, enable == 0: release that window back to its own look.
 *       Returns 0 when it was not skinned; otherwise the address of the record
 *       that took the released one's place in the library's list, which is
 *       also 0 when the released window was the only skinned one.
 *   window == NULL, enable == 1: skin every window of the calling thread and,
 *       through a thread-local hook, every window the thread creates from now
 *       on. Returns the hook handle, or 0 when this was already switched on
 *       (or the hook could not be installed).
 *   window == NULL, enable == 0: release every window of the calling thread
 *       and remove the hook. Returns non-zero on success, 0 when thread-wide
 *       skinning was not on.
 *   window == NULL, any other enable: nothing; returns 0.
 *   Each thread skins and releases its own windows; several threads may do
 *   so at once. The DLL keeps itself loaded while anything is skinned or the
 *   hook is installed: FreeLibrary unloads it once everything is released.
 *
 * DlgInit(unused)
 *   Returns a new solid brush in the current face's dialog frame colour
 *   (built in: RGB(11, 53, 255)). Every call makes a new brush; the caller
 *   owns it and deletes it with DeleteObject.
 *
 * EnskinFace(folder)
 *   folder != NULL: loads the face in that folder (its face.ini, and
 *       back.bmp and progress.bmp where present) and repaints every skinned
 *       window of every thread of the process in it. Returns non-zero, or 0,
 *       leaving the current face, when the folder or its face.ini does not
 *       exist. Problems inside the files are written to the debugger, one
 *       line each, and the built-in colours stand in for what is wrong.
 *   folder == NULL: puts back the face the library started with (the face
 *       files found at start-up, else the built-in look) and repaints.
 *   Any thread may switch while others paint. Faces stay loaded until the
 *   DLL is unloaded.
 *
 * EnskinProgramColours()
 *   What velk-run asks for: from now on, the program's own calls of
 *   GetSysColor, GetSysColorBrush, and FillRect with a system colour's
 *   brush ((HBRUSH)(COLOR_WINDOW + 1)), through the import tables of its
 *   executable and of the DLLs loaded from the executable's folder unless
 *   that is a system folder, answer from the current face, whatever face is
 *   current at each call; the library's own calls and the system DLLs'
 *   keep the system's colours. The brushes belong to the library: never
 *   delete them. Once called, the DLL stays loaded until the process ends.
 *   Returns how many import slots it rewrote; a later call takes in DLLs
 *   loaded since, and returns 0 when there was nothing new. A host that
 *   never calls it is never changed so.
 */
#ifndef VELK_H
#define VELK_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(VELK_BUILDING)
#define VELK_API
#else
#define VELK_API __declspec(dllimport)
#endif

VELK_API INT_PTR WINAPI Enskin(HWND window, int enable);
VELK_API HBRUSH WINAPI DlgInit(int unused);
VELK_API BOOL WINAPI EnskinFace(LPCWSTR folder);
VELK_API int WINAPI EnskinProgramColours(void);

typedef INT_PTR(WINAPI *EnskinProc)(HWND window, int enable);
typedef HBRUSH(WINAPI *DlgInitProc)(int unused);
typedef BOOL(WINAPI *EnskinFaceProc)(LPCWSTR folder);
typedef int(WINAPI *EnskinProgramColoursProc)(void);

#ifdef __cplusplus
}
#endif

#endif
