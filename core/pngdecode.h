// PNG pictures decoded to 32-bit pixels through libpng.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Pictures larger than this are refused before anything is allocated (1 GiB decoded).
constexpr int32_t kMaxPictureSide = 32768;
constexpr int64_t kMaxPicturePixels = int64_t(1) << 28;

struct PngPicture {
    int32_t Width = 0, Height = 0;
    // Width x Height pixels, rows top to bottom, each 0xFFRRGGBB (opaque).
    std::unique_ptr<uint32_t[]> Pixels;
};

// The PNG signature is the first this many bytes of the file.
constexpr size_t kPngSignatureSize = 8;
// True when bytes begin with the PNG signature.
bool HasPngSignature(std::string_view bytes);

// Decodes a PNG file's bytes: palette, grey and 16-bit samples are expanded, interlacing is
// undone and transparency is composited on white. False with `error` set when the data is not a
// readable PNG or the picture is too large (`maxPixels`); `out` is then left empty.
bool DecodePng(std::string_view bytes, PngPicture& out, std::string& error,
               int64_t maxPixels = kMaxPicturePixels);
