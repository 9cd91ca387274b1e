// Checking and installing a downloaded program on Linux: an ELF file, put in place by rename.
#include "programupdate.h"

#include <QFile>
#include <QFileDevice>
#include <elf.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

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

UpdateResult Damaged(const QString& what) {
    return Failed(QStringLiteral("the download is cut short or damaged: ") + what);
}

// A program cut short or damaged after its first bytes would be installed and then crash: its
// header tables, and every segment and section they name, must lie within the file. The file is
// of the running program's class and byte order, so its headers read as this computer's own.
template <typename Ehdr, typename Phdr, typename Shdr> UpdateResult CheckLayout(QIODevice& file) {
    const uint64_t size = static_cast<uint64_t>(file.size());
    const auto inside = [size](uint64_t offset, uint64_t count, uint64_t entry) {
        return count <= size / entry && offset <= size && count * entry <= size - offset;
    };
    const auto outside = [size](const QString& part) {
        return Damaged(QStringLiteral("%1 lies outside its %2 bytes").arg(part).arg(size));
    };
    const auto read = [&file](uint64_t offset, void* to, uint64_t length) {
        return file.seek(static_cast<qint64>(offset)) &&
               file.read(static_cast<char*>(to), static_cast<qint64>(length)) ==
                   static_cast<qint64>(length);
    };
    const auto unread = [&file] {
        return Failed(QStringLiteral("cannot read the downloaded file: ") + file.errorString());
    };
    const auto wrongSize = [](const char* what, uint64_t entry, uint64_t expected) {
        return Damaged(QStringLiteral("its %1 are %2 bytes long, not %3")
                           .arg(QLatin1String(what))
                           .arg(entry)
                           .arg(expected));
    };

    Ehdr header{};
    if (!inside(0, 1, sizeof header)) return outside(QStringLiteral("the ELF header"));
    if (!read(0, &header, sizeof header)) return unread();
    // Section 0 holds the counts too large for the header's fields.
    Shdr first{};
    if (header.e_shoff != 0) {
        if (header.e_shentsize != sizeof(Shdr))
            return wrongSize("section headers", header.e_shentsize, sizeof(Shdr));
        if (!inside(header.e_shoff, 1, sizeof first))
            return outside(QStringLiteral("the section header table"));
        if (!read(header.e_shoff, &first, sizeof first)) return unread();
    }
    const uint64_t segments = header.e_phnum == PN_XNUM ? first.sh_info : header.e_phnum;
    const uint64_t sections = header.e_shoff == 0   ? 0
                              : header.e_shnum != 0 ? header.e_shnum
                                                    : first.sh_size;
    if (segments == 0) return Damaged(QStringLiteral("it has no program headers"));
    if (header.e_phentsize != sizeof(Phdr))
        return wrongSize("program headers", header.e_phentsize, sizeof(Phdr));
    if (!inside(header.e_phoff, segments, sizeof(Phdr)))
        return outside(QStringLiteral("the program header table"));
    if (!inside(header.e_shoff, sections, sizeof(Shdr)))
        return outside(QStringLiteral("the section header table"));

    std::vector<Phdr> phdrs(segments);
    if (!read(header.e_phoff, phdrs.data(), segments * sizeof(Phdr))) return unread();
    for (uint64_t i = 0; i < segments; ++i)
        if (phdrs[i].p_filesz != 0 && !inside(phdrs[i].p_offset, 1, phdrs[i].p_filesz))
            return outside(QStringLiteral("segment %1").arg(i));
    std::vector<Shdr> shdrs(sections);
    if (!read(header.e_shoff, shdrs.data(), sections * sizeof(Shdr))) return unread();
    for (uint64_t i = 0; i < sections; ++i) {
        const Shdr& s = shdrs[i];
        if (s.sh_type != SHT_NULL && s.sh_type != SHT_NOBITS && s.sh_size != 0 &&
            !inside(s.sh_offset, 1, s.sh_size))
            return outside(QStringLiteral("section %1").arg(i));
    }
    return {true, {}};
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
    return head[kClass] == ELFCLASS64 ? CheckLayout<Elf64_Ehdr, Elf64_Phdr, Elf64_Shdr>(file)
                                      : CheckLayout<Elf32_Ehdr, Elf32_Phdr, Elf32_Shdr>(file);
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
