// The smallest useful host of velk.dll: it switches skinning on for its GUI
// thread, runs its dialog, and switches skinning off before it exits.
#include <windows.h>

#include "resource.h"
#include "velk.h"

static INT_PTR CALLBACK SampleDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_NAME, "Ada");
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Every window this thread has or creates from now on gets the skin.
    Enskin(nullptr, 1);

    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SAMPLE), nullptr, SampleDialogProc, 0);

    // Release everything before the DLL can go away with the process.
    Enskin(nullptr, 0);
    return result == IDOK ? 0 : 1;
}
