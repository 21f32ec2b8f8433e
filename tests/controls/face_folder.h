// A working folder of a test's own with a face subfolder, where the test
// writes the ".\face\progress.bmp" or ".\face\back.bmp" it needs and
// switches to that face (Apply); removed again at the end, with the
// start-up face put back.
#ifndef VELK_TESTS_CONTROLS_FACE_FOLDER_H
#define VELK_TESTS_CONTROLS_FACE_FOLDER_H

#include <windows.h>

#include "support/records.h"
#include "velk.h"

#include <string>
#include <vector>

struct FaceFolder {
    std::string folder;
    char previous[MAX_PATH] = {};

    // Makes the folder and changes the current directory into it.
    bool Enter()
    {
        GetCurrentDirectoryA(MAX_PATH, previous);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "velk-face-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "\\face").c_str(), nullptr);
        // The start-up face is looked for once, at the first paint or
        // switch: here, before the test writes its own.
        return SetCurrentDirectoryA(folder.c_str()) != FALSE && EnskinFace(nullptr) != FALSE;
    }

    // Loads the face as it now stands in the folder, with a face.ini of the
    // given lines (none: empty): a face's pictures are read when it is loaded.
    bool Apply(const std::string &ini = "") const
    {
        HANDLE file = CreateFileA(IniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written;
        WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
        CloseHandle(file);
        const std::string face = folder + "\\face";
        return EnskinFace(std::wstring(face.begin(), face.end()).c_str()) != FALSE;
    }

    void Leave()
    {
        EnskinFace(nullptr);
        DeleteFileA(IniPath().c_str());
        SetCurrentDirectoryA(previous);
        DeleteFileA(PicturePath().c_str());
        DeleteFileA(BackgroundPath().c_str());
        RemoveDirectoryA((folder + "\\face").c_str());
        RemoveDirectoryA(folder.c_str());
    }

    std::string PicturePath() const { return folder + "\\face\\progress.bmp"; }
    std::string BackgroundPath() const { return folder + "\\face\\back.bmp"; }
    std::string IniPath() const { return folder + "\\face\\face.ini"; }

    // A 24-bit bottom-up BMP: the left half of every row in one colour, the
    // right half in another. Returns false when the file cannot be written.
    bool WritePicture(int width, int height, COLORREF left, COLORREF right) const
    {
        const int stride = (width * 3 + 3) & ~3;
        std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF colour = x < width / 2 ? left : right;
                BYTE *pixel = &pixels[static_cast<size_t>(y) * stride + x * 3];
                pixel[0] = GetBValue(colour);
                pixel[1] = GetGValue(colour);
                pixel[2] = GetRValue(colour);
            }
        }
        BITMAPINFOHEADER info = {};
        info.biSize = sizeof info;
        info.biWidth = width;
        info.biHeight = height;
        info.biPlanes = 1;
        info.biBitCount = 24;
        info.biCompression = BI_RGB;
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof header + sizeof info;
        header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());

        HANDLE file = CreateFileA(PicturePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written;
        const bool ok = WriteFile(file, &header, sizeof header, &written, nullptr) &&
                        WriteFile(file, &info, sizeof info, &written, nullptr) &&
                        WriteFile(file, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
        CloseHandle(file);
        return ok;
    }
};

// For the progress bar: the test runs in a face folder of its own.
class FaceFolderTest : public InDialogTest {
protected:
    FaceFolder face;

    void SetUp() override
    {
        ASSERT_TRUE(face.Enter()) << face.folder;
        InDialogTest::SetUp();
    }

    void TearDown() override
    {
        InDialogTest::TearDown();
        face.Leave();
    }
};

#endif
