#include "probebars.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {
QRgb ToRgb(TColor c) {
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

struct Span {
    int l, t, r, b;
    bool Empty() const { return r <= l || b <= t; }
};

// The 64 marks (bytes of 0 or 1) from `marks` as the bits of a word, mark k in bit k: a
// multiplication gathers eight of them into the top byte.
uint64_t PackMarks(const uint8_t* marks) {
    static_assert(std::endian::native == std::endian::little);
    uint64_t word = 0;
    for (int g = 0; g < 8; ++g) {
        uint64_t eight = 0;
        std::memcpy(&eight, marks + 8 * g, sizeof eight);
        word |= ((eight * 0x0102040810204080ULL) >> 56) << (8 * g);
    }
    return word;
}

// The block's pixels within [0, w) x [0, h); empty when it lies outside or spans nothing.
Span Clip(int x1, int y1, int x2, int y2, int w, int h) {
    return {std::max(0, std::min(x1, x2)), std::max(0, std::min(y1, y2)),
            std::min(w, std::max(x1, x2)), std::min(h, std::max(y1, y2))};
}
} // namespace

void FillBlock(QImage& image, int x1, int y1, int x2, int y2, TColor colour) {
    const Span s = Clip(x1, y1, x2, y2, image.width(), image.height());
    if (s.Empty()) return;
    const QRgb rgb = ToRgb(colour);
    for (int y = s.t; y < s.b; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + s.l, line + s.r, rgb);
    }
}

TrackMask::TrackMask(const QImage& image, bool lying, int height, int acrossBase, int acrossWidth)
    : lying_(lying), height_(height), base_(acrossBase), width_(std::max(0, acrossWidth)),
      words_((width_ + 63) / 64), alongCount_(lying ? image.width() : image.height()) {
    bits_.assign(size_t(words_) * size_t(std::max(0, alongCount_)), 0);
    marks_.assign(size_t(words_) * 64, 0);
    minRow_ = alongCount_;
}

void TrackMask::Commit(int along0, int along1) {
    const int from = std::max(along0, 0), to = std::min(along1, alongCount_);
    if (from < to) {
        minRow_ = std::min(minRow_, from);
        maxRow_ = std::max(maxRow_, to - 1);
        for (int w = 0; w < words_; ++w) {
            const uint64_t word = PackMarks(marks_.data() + size_t(w) * 64);
            if (word == 0) continue;
            for (int y = from; y < to; ++y) bits_[size_t(y) * size_t(words_) + size_t(w)] |= word;
        }
    }
    std::fill(marks_.begin(), marks_.end(), 0);
}

void TrackMask::Flush(QImage& image, TColor colour) {
    Commit(0, 0);
    const QRgb rgb = ToRgb(colour);
    uchar* pixels = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto pixel = [&](int x, int y) -> QRgb& {
        return reinterpret_cast<QRgb*>(pixels + stride * y)[x];
    };
    const int imageWidth = image.width(), imageHeight = image.height();
    for (int y = minRow_; y <= maxRow_; ++y) {
        uint64_t* row = bits_.data() + size_t(y) * size_t(words_);
        for (int w = 0; w < words_; ++w) {
            for (uint64_t word = row[w]; word != 0; word &= word - 1) {
                const int across = base_ + w * 64 + std::countr_zero(word);
                if (!lying_) {
                    if (across >= 0 && across < imageWidth) pixel(across, y) = rgb;
                } else if (height_ - across >= 0 && height_ - across < imageHeight) {
                    pixel(y, height_ - across) = rgb;
                }
            }
            row[w] = 0;
        }
    }
    minRow_ = alongCount_;
    maxRow_ = -1;
}
