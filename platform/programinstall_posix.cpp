// Checking and installing a downloaded program on Linux: an ELF file, put in place by rename.
#include "programupdate.h"

#include <QFile>
#include <QFileDevice>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr qint64 kHeader = 20; // e_ident, e_type and e_machine of an ELF header
constexpr int kClass = 4, kData = 5, kType = 16, kMachine = 18;
constexpr char kElfMagic[] = "\x7f"
                             "ELF";

UpdateResult Failed(const QString& reason) {
    return {false, reason};
}

QString Text(const std::error_code& ec) {
    return QString::fromStdString(ec.message());
}

// The printable beginning of a file that is no program, for the message.
QString Beginning(const QByteArray& head) {
    QString s;
    for (const char c : head) s += c >= 0x20 && c < 0x7f ? QLatin1Char(c) : QLatin1Char('.');
    return s;
}

bool IsElf(const QByteArray& head) {
    return head.size() == kHeader && head.startsWith(kElfMagic);
}

int Half(const QByteArray& head, int at) {
    const auto b0 = static_cast<unsigned char>(head[at]),
               b1 = static_cast<unsigned char>(head[at + 1]);
    return head[kData] == 2 ? b0 << 8 | b1 : b1 << 8 | b0;
}

} // namespace

UpdateResult CheckProgramFile(QIODevice& file) {
    QFile self(QStringLiteral("/proc/self/exe"));
    const QByteArray own = self.open(QIODevice::ReadOnly) ? self.read(kHeader) : QByteArray();
    if (!IsElf(own)) return Failed(QStringLiteral("the running program's own file cannot be read"));
    if (!file.seek(0)) return Failed(file.errorString());
    const QByteArray head = file.read(kHeader);
    if (!IsElf(head))
        return Failed(
            QStringLiteral("the download is no program; it begins \"%1\"").arg(Beginning(head)));
    const int type = Half(head, kType);
    if (head[kClass] != own[kClass] || head[kData] != own[kData] ||
        Half(head, kMachine) != Half(own, kMachine) || (type != 2 && type != 3))
        return Failed(QStringLiteral("the download is no program for this computer"));
    return {true, {}};
}

UpdateResult InstallProgramFile(QFileDevice& download, const QString& program) {
    // The new program reaches the disk before its name does.
    if (!download.flush() || ::fsync(download.handle()) != 0)
        return Failed(QStringLiteral("cannot write the downloaded file: ") +
                      download.errorString());
    const fs::path target = program.toStdString();
    const fs::path fresh = download.fileName().toStdString();
    std::error_code ec;
    const fs::perms mode = fs::status(target, ec).permissions();
    if (ec) return Failed(QStringLiteral("cannot read the program file: ") + Text(ec));
    fs::permissions(fresh, mode, ec);
    if (ec) return Failed(QStringLiteral("cannot set the new program's permissions: ") + Text(ec));

    // The present program is kept as "_old"; an older one is replaced only once that is ready.
    fs::path old = target, staging = target;
    old += "_old";
    staging += "_old.part";
    fs::remove(staging, ec);
    fs::create_hard_link(target, staging, ec);
    if (ec) fs::copy_file(target, staging, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(staging, old, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(staging, ignored);
        return Failed(QStringLiteral("cannot keep the present program as %1: %2")
                          .arg(QString::fromStdString(old.string()), Text(ec)));
    }
    fs::rename(fresh, target, ec);
    if (ec) return Failed(QStringLiteral("cannot put the new program in place: ") + Text(ec));
    return {true, {}};
}
