// A minimal PNG encoder: the image data goes into stored (uncompressed)
// deflate blocks, which keeps the gallery free of any compression library.
#include "gallery.h"

#include <cstdint>
#include <cstdio>
#include <vector>

typedef std::vector<unsigned char> Bytes;

static const size_t MaxStoredBlock = 65535;

static uint32_t Crc32(const unsigned char *data, size_t size)
{
    static uint32_t table[256];
    static bool tableReady = false;
    if (!tableReady) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        tableReady = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

static uint32_t Adler32(const Bytes &data)
{
    uint32_t a = 1;
    uint32_t b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

static void PutBigEndian32(Bytes &out, uint32_t value)
{
    out.push_back(static_cast<unsigned char>(value >> 24));
    out.push_back(static_cast<unsigned char>(value >> 16));
    out.push_back(static_cast<unsigned char>(value >> 8));
    out.push_back(static_cast<unsigned char>(value));
}

static void PutLittleEndian16(Bytes &out, uint32_t value)
{
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

// The CRC covers the chunk type and data, not the length.
static void PutChunk(Bytes &out, const char type[4], const Bytes &data)
{
    PutBigEndian32(out, static_cast<uint32_t>(data.size()));
    const size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(out.data() + typeStart, out.size() - typeStart));
}

static Bytes FilteredRows(const unsigned char *rgb, int width, int height, int stride)
{
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    Bytes raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const unsigned char *row = rgb + static_cast<size_t>(y) * static_cast<size_t>(stride);
        raw.push_back(0);
        raw.insert(raw.end(), row, row + rowBytes);
    }
    return raw;
}

static Bytes ZlibStored(const Bytes &raw)
{
    Bytes out;
    // CMF: deflate with a 32K window; FLG: no dictionary, check bits so that
    // CMF*256+FLG is a multiple of 31.
    out.push_back(0x78);
    out.push_back(0x01);
    size_t offset = 0;
    do {
        const size_t size = raw.size() - offset < MaxStoredBlock ? raw.size() - offset : MaxStoredBlock;
        const bool last = offset + size == raw.size();
        out.push_back(last ? 1 : 0);
        PutLittleEndian16(out, static_cast<uint32_t>(size));
        PutLittleEndian16(out, static_cast<uint32_t>(~size & 0xFFFF));
        out.insert(out.end(), raw.begin() + static_cast<ptrdiff_t>(offset),
                   raw.begin() + static_cast<ptrdiff_t>(offset + size));
        offset += size;
    } while (offset < raw.size());
    PutBigEndian32(out, Adler32(raw));
    return out;
}

void DescribeScreenshotPixels(BITMAPINFO *info, int width, int height)
{
    *info = {};
    info->bmiHeader.biSize = sizeof info->bmiHeader;
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 24;
    info->bmiHeader.biCompression = BI_RGB;
}

bool WritePng(const char *path, const unsigned char *rgb, int width, int height, int stride)
{
    static const unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes file(Signature, Signature + sizeof Signature);

    Bytes header;
    PutBigEndian32(header, static_cast<uint32_t>(width));
    PutBigEndian32(header, static_cast<uint32_t>(height));
    header.push_back(8);  // bits per channel
    header.push_back(2);  // colour type: RGB
    header.push_back(0);  // compression: deflate
    header.push_back(0);  // filtering: adaptive, every row uses filter 0
    header.push_back(0);  // no interlace
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", ZlibStored(FilteredRows(rgb, width, height, stride)));
    PutChunk(file, "IEND", Bytes());

    FILE *out = std::fopen(path, "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    const bool closed = std::fclose(out) == 0;
    return written && closed;
}
