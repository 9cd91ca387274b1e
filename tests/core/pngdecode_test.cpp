#include "pngdecode.h"

#include <gtest/gtest.h>
#include <png.h>
#include <vector>

namespace {

// A PNG written by libpng from rows of raw samples; with `rows` empty the header and an empty
// image-data chunk.
struct PngSpec {
    int width, height, colourType, bitDepth;
    bool interlaced = false;
    std::vector<png_color> palette = {};
    std::vector<png_byte> transparency = {};
};

std::string EncodePng(const PngSpec& spec, const std::vector<std::vector<png_byte>>& rows) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), n);
        },
        nullptr);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
    if (!spec.transparency.empty())
        png_set_tRNS(png, info, spec.transparency.data(),
                     static_cast<int>(spec.transparency.size()), nullptr);
    png_write_info(png, info);
    if (!rows.empty()) {
        std::vector<png_bytep> pointers;
        for (const auto& r : rows) pointers.push_back(const_cast<png_bytep>(r.data()));
        png_write_image(png, pointers.data());
        png_write_end(png, nullptr);
    } else {
        out.append("\0\0\0\0IDAT\x35\xAF\x06\x1E", 12);
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint32_t> Decoded(const std::string& bytes) {
    PngPicture p;
    std::string error;
    EXPECT_TRUE(DecodePng(bytes, p, error)) << error;
    return std::vector<uint32_t>(p.Pixels.get(), p.Pixels.get() + size_t(p.Width) * p.Height);
}

// Three colours on a 3 x 2 picture, in every layout they can take.
TEST(PngDecode, PaletteGreyRgbaSixteenBitAndInterlacedDecodeAlike) {
    const std::vector<uint32_t> expected = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                            0xFF0000FF, 0xFFFF0000, 0xFF00FF00};
    const png_byte rgb[6][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255},
                                {0, 0, 255}, {255, 0, 0}, {0, 255, 0}};
    std::vector<std::vector<png_byte>> rgb8(2), rgba8(2), rgb16(2), indexed(2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const png_byte* c = rgb[y * 3 + x];
            for (int k = 0; k < 3; ++k) {
                rgb8[y].push_back(c[k]);
                rgba8[y].push_back(c[k]);
                rgb16[y].push_back(c[k]);
                rgb16[y].push_back(c[k]);
            }
            rgba8[y].push_back(255);
        }
    }
    indexed[0] = {0x01, 0x20}; // 4-bit indices 0 1 2, 2 0 1
    indexed[1] = {0x20, 0x10};
    const std::vector<png_color> palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    EXPECT_EQ(Decoded(EncodePng({3, 2, PNG_COLOR_TYPE_RGB, 8}, rgb8)), expected);
    EXPECT_EQ(Decoded(EncodePng({3, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8}, rgba8)), expected);
    EXPECT_EQ(Decoded(EncodePng({3, 2, PNG_COLOR_TYPE_RGB, 16}, rgb16)), expected);
    EXPECT_EQ(Decoded(EncodePng({3, 2, PNG_COLOR_TYPE_RGB, 8, true}, rgb8)), expected);
    EXPECT_EQ(Decoded(EncodePng({3, 2, PNG_COLOR_TYPE_PALETTE, 4, false, palette}, indexed)),
              expected);

    // Grey (1 and 16 bits) and transparency composited on white.
    EXPECT_EQ(Decoded(EncodePng({3, 1, PNG_COLOR_TYPE_GRAY, 1}, {{0xA0}})),
              (std::vector<uint32_t>{0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));
    EXPECT_EQ(Decoded(EncodePng({1, 1, PNG_COLOR_TYPE_GRAY, 16}, {{0x80, 0x00}})),
              (std::vector<uint32_t>{0xFF808080}));
    EXPECT_EQ(
        Decoded(EncodePng({2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8}, {{255, 0, 0, 128, 0, 0, 0, 0}})),
        (std::vector<uint32_t>{0xFFFF7F7F, 0xFFFFFFFF}));
    EXPECT_EQ(Decoded(EncodePng({2, 1, PNG_COLOR_TYPE_PALETTE, 8, false, palette, {0}}, {{0, 1}})),
              (std::vector<uint32_t>{0xFFFFFFFF, 0xFF00FF00}));
}

TEST(PngDecode, RefusesBrokenAndOversizedFiles) {
    std::vector<std::vector<png_byte>> rows(40, std::vector<png_byte>(120));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) rows[y][x] = png_byte(x * 7 + y * 13);
    const std::string whole = EncodePng({40, 40, PNG_COLOR_TYPE_RGB, 8}, rows);
    const std::string cases[] = {
        whole.substr(0, whole.size() / 2),
        whole.substr(0, 7),
        "GIF89a and more bytes",
        EncodePng({100000, 100000, PNG_COLOR_TYPE_RGB, 8}, {}),
        EncodePng({32769, 1, PNG_COLOR_TYPE_GRAY, 8}, {}),
        EncodePng({20000, 20000, PNG_COLOR_TYPE_GRAY, 8}, {}), // 4e8 pixels: above 2^28
    };
    for (const std::string& bytes : cases) {
        PngPicture p;
        std::string error;
        EXPECT_FALSE(DecodePng(bytes, p, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(p.Pixels, nullptr);
        EXPECT_EQ(p.Width, 0);
    }
    PngPicture p;
    std::string error;
    EXPECT_FALSE(DecodePng(cases[3], p, error));
    EXPECT_EQ(error, "the picture is too large");
}

} // namespace
