#include "pngdecode.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <png.h>

namespace {
// What libpng's callbacks reach; plain data only, since libpng leaves by longjmp.
struct ReadState {
    const unsigned char* data;
    size_t size;
    size_t pos;
    char message[200];
};

void ReadBytes(png_structp png, png_bytep out, png_size_t n) {
    auto* s = static_cast<ReadState*>(png_get_io_ptr(png));
    if (n > s->size - s->pos) png_error(png, "the file ends early");
    std::memcpy(out, s->data + s->pos, n);
    s->pos += n;
}

void OnError(png_structp png, png_const_charp message) {
    auto* s = static_cast<ReadState*>(png_get_error_ptr(png));
    std::snprintf(s->message, sizeof s->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Blends a straight-alpha channel onto white.
uint8_t OnWhite(unsigned c, unsigned a) {
    return static_cast<uint8_t>((c * a + 255u * (255u - a) + 127u) / 255u);
}

// The decoding proper; `rows` and `pixels` belong to the caller, so nothing with a destructor
// lives in a frame that libpng's longjmp leaves.
bool Decode(png_structp png, png_infop info, ReadState& state, int64_t maxPixels,
            std::unique_ptr<uint32_t[]>& pixels, std::unique_ptr<png_bytep[]>& rows,
            png_uint_32& width, png_uint_32& height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &state, ReadBytes);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (width > png_uint_32(kMaxPictureSide) || height > png_uint_32(kMaxPictureSide) ||
        int64_t(width) * int64_t(height) > maxPixels)
        png_error(png, "the picture is too large");

    const int colourType = png_get_color_type(png, info);
    png_set_expand(png); // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected row layout");

    pixels.reset(new (std::nothrow) uint32_t[size_t(width) * height]);
    rows.reset(new (std::nothrow) png_bytep[height]);
    if (!pixels || !rows) png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(pixels.get() + size_t(y) * width);
    png_read_image(png, rows.get());
    png_read_end(png, nullptr);
    return true;
}
} // namespace

bool HasPngSignature(std::string_view bytes) {
    return bytes.size() >= kPngSignatureSize &&
           png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, kPngSignatureSize) == 0;
}

bool DecodePng(std::string_view bytes, PngPicture& out, std::string& error, int64_t maxPixels) {
    out = PngPicture();
    if (!HasPngSignature(bytes)) {
        error = "not a PNG file";
        return false;
    }
    ReadState state{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    if (!png) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    std::unique_ptr<uint32_t[]> pixels;
    std::unique_ptr<png_bytep[]> rows;
    png_uint_32 width = 0, height = 0;
    const bool haveInfo = info != nullptr;
    const bool ok = haveInfo && Decode(png, info, state, maxPixels, pixels, rows, width, height);
    png_destroy_read_struct(&png, haveInfo ? &info : nullptr, nullptr);
    if (!ok) {
        error = haveInfo ? std::string(state.message) : std::string("out of memory");
        return false;
    }
    // RGBA bytes in place to opaque 0xFFRRGGBB words.
    const size_t n = size_t(width) * height;
    auto* p = reinterpret_cast<unsigned char*>(pixels.get());
    for (size_t i = 0; i < n; ++i, p += 4) {
        const unsigned a = p[3];
        const uint32_t r = OnWhite(p[0], a), g = OnWhite(p[1], a), b = OnWhite(p[2], a);
        pixels[i] = 0xFF000000u | r << 16 | g << 8 | b;
    }
    out.Width = static_cast<int32_t>(width);
    out.Height = static_cast<int32_t>(height);
    out.Pixels = std::move(pixels);
    return true;
}
