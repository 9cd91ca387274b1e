#include "jpegwrite.h"

#include "binaryio.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <string>
#include <vector>

namespace {
// libjpeg's default error handler exits the process; this one jumps back to the caller.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* e = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, e->message);
    std::longjmp(e->jump, 1);
}

// Everything that needs releasing lives outside the function that calls setjmp.
struct Compression {
    jpeg_compress_struct info{};
    ErrorManager err{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ~Compression() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
};

bool Compress(Compression& c, const QImage& rgb, int quality) {
    c.info.err = jpeg_std_error(&c.err.base);
    c.err.base.error_exit = OnError;
    if (setjmp(c.err.jump)) return false;
    jpeg_create_compress(&c.info);
    jpeg_mem_dest(&c.info, &c.buffer, &c.size);
    c.info.image_width = static_cast<JDIMENSION>(rgb.width());
    c.info.image_height = static_cast<JDIMENSION>(rgb.height());
    c.info.input_components = 3;
    c.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, quality, TRUE);
    jpeg_start_compress(&c.info, TRUE);
    while (c.info.next_scanline < c.info.image_height) {
        auto* row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(c.info.next_scanline)));
        jpeg_write_scanlines(&c.info, &row, 1);
    }
    jpeg_finish_compress(&c.info);
    return true;
}
} // namespace

bool SaveJpeg(const QImage& image, const QString& fileName, int quality, QString& error) {
    if (image.isNull()) {
        error = QStringLiteral("The picture is empty.");
        return false;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Compression c;
    if (!Compress(c, rgb, quality)) {
        error = QString::fromLocal8Bit(c.err.message);
        return false;
    }
    SaveFile file;
    std::string err;
    if (!file.Open(QFile::encodeName(fileName).toStdString(), err)) {
        error = QString::fromStdString(err);
        return false;
    }
    file.Write(std::string_view(reinterpret_cast<const char*>(c.buffer), c.size));
    if (!file.Commit(err)) { // reports a failed write too
        error = QString::fromStdString(err);
        return false;
    }
    return true;
}
