// The program's update: a newer program file fetched from the distribution site and put in place
// of the running program's file.
#pragma once

#include <QString>
#include <QStringList>

class ProgressSink;
class QFileDevice;
class QIODevice;

struct UpdateResult {
    bool ok = false;
    QString reason; // why it failed, in words for the user
};

// Fetches `address`, with the running program's file name as agent: the bytes go to `file` when
// given, and with `text` they are also appended to it as one entry, collected up to `byteLimit`
// bytes (0: no limit), the limit ending the reading. Fails on a network error, an HTTP status
// other than 200, fewer bytes than the server announced, 30 s without data, a failed write, or
// Cancel of `progress` (which also shows the share received).
UpdateResult DownloadUrlToFile(const QString& address, QIODevice* file, QStringList* text,
                               qint64 byteLimit, ProgressSink* progress = nullptr);

// Downloads `address` into a temporary file beside `program`, checks that it is a program for
// this computer and installs it over `program` (InstallProgramFile). On failure `program` is
// untouched and no partial file is left.
UpdateResult UpdateProgramFile(const QString& address, const QString& program,
                               ProgressSink* progress);

// The part that depends on the operating system (programinstall_posix.cpp; a Windows build
// supplies its own, as a running .exe cannot be renamed over).

// True when the file is a whole executable of this computer: on Linux an ELF executable of the
// running program's class, byte order and machine whose header tables, segments and sections
// lie within the file.
UpdateResult CheckProgramFile(QIODevice& file);
// Makes the complete `download` the program at `program`: it gets the program's permission
// bits, the present program is kept as `program` + "_old" (replacing an older one), and one
// rename puts the download at `program`, so that path always holds a whole program.
UpdateResult InstallProgramFile(QFileDevice& download, const QString& program);
