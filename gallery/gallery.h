// The gallery: one top-level window per section, each showing a set of
// controls for the skin to take over.
#ifndef GALLERY_H
#define GALLERY_H

#include <windows.h>

#include <vector>

#include "velk.h"

// What the host hands every section.
struct GalleryContext {
    HINSTANCE instance;
    HBRUSH frameBrush;  // from DlgInit; the host owns and deletes it
};

// Builds a section's top-level window, hidden; the host places and shows it.
// Returns null on failure.
typedef HWND (*SectionBuilder)(const GalleryContext &context);

HWND BuildCoverageSection(const GalleryContext &context);
HWND BuildButtonsSection(const GalleryContext &context);
HWND BuildControlsSection(const GalleryContext &context);
HWND BuildScrollSection(const GalleryContext &context);
HWND BuildDialogsSection(const GalleryContext &context);
HWND BuildMirroredSection(const GalleryContext &context);
HWND BuildBarsSection(const GalleryContext &context);
HWND BuildMainWindowSection(const GalleryContext &context);
HWND BuildToolWindowSection(const GalleryContext &context);

// Set while the screenshot waits for the main-window section's menu to show:
// its window calls it when the menu loop first waits for input.
extern void (*whileMenuOpen)();

// Every kind of the tests' kind list that none of the built sections shows;
// null when there is none.
HWND BuildUnplacedKindsSection(const GalleryContext &context, const std::vector<HWND> &sections);

// Sections call this when the user closes their window: it destroys the
// window, and closing the main one ends the program.
void CloseGalleryWindow(HWND window);

// The dialog procedure of a section with nothing of its own to handle: it
// closes the section on WM_CLOSE.
INT_PTR CALLBACK PlainSectionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the system's Open, Colour and Font dialogs and a message box, first
// unskinned and then skinned, and writes them side by side to path.
// Returns the program's exit code.
int ShowSystemDialogs(const char *path, EnskinProc enskin);

// Starts Notepad, Wine's configuration and its file manager through the
// velk-run beside the gallery, in the face of faceFolder (null: the one
// velk-run finds), opens Notepad's Find dialog and the file manager's File
// menu and writes the screen around them to path. Returns the program's exit
// code.
int ShowVelkRun(const char *path, const char *faceFolder);

// A size given in pixels at 96 dpi, at the screen's DPI: every section lays
// itself out by it, so that the text the fonts grow with has room at any DPI.
int Px(int size);

// Writes 8-bit RGB rows, top row first, as a PNG file. Returns false when the
// file cannot be written.
bool WritePng(const char *path, const unsigned char *rgb, int width, int height, int stride);

// Describes 24-bit BGR rows, top row first, as the screenshots are taken.
void DescribeScreenshotPixels(BITMAPINFO *info, int width, int height);

#endif
