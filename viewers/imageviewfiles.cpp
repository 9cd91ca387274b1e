// The image viewer's pictures and image maps: open, save, drop and the map beside a PNG.
#include "imageview.h"

#include "binaryio.h"
#include "dialoghooks.h"
#include "picturesampler.h"
#include "pngdecode.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImageReader>
#include <QMimeData>
#include <QSaveFile>
#include <QUrl>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
const QString kCaption = QStringLiteral("Kelv");
const QString kBmpFilter = QStringLiteral("Bitmpap images (*.bmp)");
const QString kPngFilter = QStringLiteral("PortableNetworkGraphics (*.png)");

bool TooLarge(QSize size) {
    return size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
           int64_t(size.width()) * size.height() > kMaxPicturePixels;
}

constexpr size_t kBmpHeadBytes = 54; // the file header and the common info header

QString SystemError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// The bytes a BMP file needs as its header states them: the offset of the pixels plus their size
// (stated for compressed pixels, computed from the rows otherwise); 0 when the header does not
// tell, which leaves the judgement to the decoder.
int64_t BmpEnd(std::string_view head) {
    const auto u16 = [&](size_t at) {
        return uint32_t(uint8_t(head[at])) | uint32_t(uint8_t(head[at + 1])) << 8;
    };
    if (head.size() < 26 || head.substr(0, 2) != "BM") return 0;
    const int64_t offset = LoadU32(head.data() + 10);
    int64_t width = 0, height = 0;
    uint32_t bits = 0, compression = 0;
    if (LoadU32(head.data() + 14) == 12) { // the old OS/2 header
        width = u16(18);
        height = u16(20);
        bits = u16(24);
    } else {
        if (head.size() < 38) return 0;
        width = std::abs(int64_t(int32_t(LoadU32(head.data() + 18))));
        height = std::abs(int64_t(int32_t(LoadU32(head.data() + 22))));
        bits = u16(28);
        compression = LoadU32(head.data() + 30);
        if (compression == 1 || compression == 2) return offset + LoadU32(head.data() + 34); // RLE
    }
    const bool rows = compression == 0 || compression == 3 || compression == 6;
    if (!rows || bits > 64 || width > kMaxPictureSide || height > kMaxPictureSide) return 0;
    return offset + (width * bits + 31) / 32 * 4 * height;
}

QImage ReadBmp(const QString& file, QString& error) {
    std::string head;
    int64_t size = 0;
    if (const int err = ReadFileStart(file.toStdString(), kBmpHeadBytes, head, &size)) {
        error = SystemError(err);
        return {};
    }
    // The decoder fills the rows a cut file lacks with black and reports nothing.
    if (BmpEnd(head) > size) {
        error = QStringLiteral("the file ends before its pixels do");
        return {};
    }
    QImageReader reader(file, "bmp");
    reader.setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)));
    if (TooLarge(reader.size())) {
        error = QStringLiteral("the picture is too large");
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        error = reader.errorString();
        return {};
    }
    return SamplerReadsFormat(image.format()) ? image : image.convertToFormat(QImage::Format_RGB32);
}

QImage ReadPng(const QString& file, QString& error) {
    std::string bytes, why;
    // The signature first: a file of another kind is refused without being read whole.
    int err = ReadFileStart(file.toStdString(), kPngSignatureSize, bytes);
    if (err == 0 && HasPngSignature(bytes)) ReadWholeFile(file.toStdString(), bytes, err);
    if (err != 0) {
        error = SystemError(err);
        return {};
    }
    PngPicture png;
    if (!DecodePng(bytes, png, why)) {
        error = QString::fromStdString(why);
        return {};
    }
    // The image takes over the decoded pixels without a copy.
    uint32_t* pixels = png.Pixels.release();
    return QImage(
        reinterpret_cast<uchar*>(pixels), png.Width, png.Height, qsizetype(png.Width) * 4,
        QImage::Format_RGB32, [](void* p) { delete[] static_cast<uint32_t*>(p); }, pixels);
}
} // namespace

bool TImageView::LoadImage(int mode, const QString& file) {
    QString error = QStringLiteral("unknown picture kind");
    QImage image;
    std::vector<ImageMapArea> areas;
    try {
        image = mode == 1 ? ReadBmp(file, error) : mode == 2 ? ReadPng(file, error) : QImage();
        if (mode == 2 && !image.isNull()) areas = LoadImageMap(file);
    } catch (const std::bad_alloc&) {
        image = QImage();
        error = SystemError(ENOMEM);
    }
    if (image.isNull()) {
        ShowMessage(this, QStringLiteral("Could not load %1:\n%2").arg(file, error), kCaption,
                    MsgIcon::Stop);
        return false;
    }
    HitArea = 0;
    Areas = std::move(areas);
    FileName = file;
    Picture = image;
    ApplyZoom(mode == 1 ? -2 : 1);
    for (int i = 0; i < AreaCount(); ++i)
        Log(QString::number(i + 1) + QLatin1Char('\t') + QString::fromStdString(Areas[i].Names));
    BackUp_Image = Picture;
    setWindowTitle(kCaption + QStringLiteral(" - ") + FileName);
    return true;
}

std::vector<ImageMapArea> TImageView::LoadImageMap(const QString& picture) const {
    const std::string mapFile = ImageMapFileName(picture.toStdString());
    std::string html;
    int err = 0;
    if (mapFile.empty() || !ReadWholeFile(mapFile, html, err)) return {};
    return ReadImageMap(html, BaseAddress.toStdString());
}

void TImageView::File_OpenClick() {
    QString chosen;
    FileDialogRequest request{FileDialogKind::Open,
                              QStringLiteral("Open"),
                              {},
                              kBmpFilter + QStringLiteral(";;") + kPngFilter};
    request.selectedFilter = &chosen;
    const QString file = AskFileName(this, request);
    if (file.isEmpty()) return;
    // The chosen filter picks the decoder, whatever the file's name.
    if (LoadImage(chosen == kPngFilter ? 2 : 1, file))
        setWindowTitle(QStringLiteral("Image viewer - ") + FileName);
}

void TImageView::File_SaveAsClick() {
    const QString file = AskFileName(this, {FileDialogKind::Save,
                                            QStringLiteral("Save as"),
                                            {},
                                            QStringLiteral("Bitmpat images (*.bmp)")});
    if (file.isEmpty()) return;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !Picture.save(&out, "BMP") || !out.commit()) {
        ShowMessage(this, QStringLiteral("Could not write %1:\n%2").arg(file, out.errorString()),
                    kCaption, MsgIcon::Stop);
        return;
    }
    FileName = file;
}

void TImageView::HandleDroppedImage(const QStringList& files) {
    if (files.isEmpty()) return;
    const QString file = files.last();
    const QString lower = file.toLower();
    if (lower.contains(QLatin1String(".bmp")))
        LoadImage(1, file);
    else if (lower.contains(QLatin1String(".png")))
        LoadImage(2, file);
}

void TImageView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TImageView::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    HandleDroppedImage(files);
    event->acceptProposedAction();
}
