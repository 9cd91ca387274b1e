// The update of the program from its distribution site, against a local HTTP server and a fake
// program in a temporary folder: the program running the tests is never touched.
#include "guitest.h"
#include "mainwindow.h"
#include "ordinaryuser.h"
#include "programupdate.h"
#include "registry.h"
#include "sinks.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <elf.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>

namespace {

const QFileDevice::Permissions kMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                       QFileDevice::ExeGroup;

// Answers every request on the loopback with one canned response, then closes the connection,
// or, with `stall` set, keeps it open and calls it.
class TestServer {
  public:
    TestServer() {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            auto got = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, got] {
                *got += socket->readAll();
                if (!got->contains("\r\n\r\n")) return;
                requests.push_back(*got);
                socket->write(response);
                socket->flush();
                if (stall)
                    stall();
                else
                    socket->disconnectFromHost();
            });
        });
    }
    QString Base() const {
        return QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort());
    }
    // The length announced is the body's own unless given.
    void Answer(int status, const QByteArray& reason, const QByteArray& body,
                qint64 announced = -1) {
        response =
            "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
            "\r\nContent-Length: " + QByteArray::number(announced < 0 ? body.size() : announced) +
            "\r\nConnection: close\r\n\r\n" + body;
    }

    std::vector<QByteArray> requests;
    QByteArray response;
    std::function<void()> stall;

  private:
    QTcpServer server_;
};

template <typename T> QByteArray Bytes(const T& t) {
    return QByteArray(reinterpret_cast<const char*>(&t), sizeof t);
}

// A whole program file for this computer, as small as can be: the running program's ELF
// identification and machine, and one segment that holds the file.
QByteArray Program(int machineDelta = 0) {
    QFile self(QStringLiteral("/proc/self/exe"));
    EXPECT_TRUE(self.open(QIODevice::ReadOnly));
    Elf64_Ehdr header{};
    EXPECT_EQ(self.read(reinterpret_cast<char*>(&header), sizeof header), qint64(sizeof header));
    EXPECT_EQ(header.e_ident[EI_CLASS], ELFCLASS64);
    header.e_machine = Elf64_Half(header.e_machine + machineDelta);
    header.e_phoff = sizeof header;
    header.e_phentsize = sizeof(Elf64_Phdr);
    header.e_phnum = 1;
    header.e_shoff = header.e_shnum = header.e_shstrndx = 0;
    Elf64_Phdr segment{};
    segment.p_type = PT_LOAD;
    segment.p_flags = PF_R | PF_X;
    segment.p_filesz = segment.p_memsz = sizeof header + sizeof segment + 4000;
    segment.p_align = 4096;
    return Bytes(header) + Bytes(segment) + QByteArray(4000, 'p');
}

struct CancelSink : ProgressSink {
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
    void Pump() override {}
    bool Cancelled() const override { return cancel; }
    bool cancel = false;
};

// The folder cannot be written while it lives, by root too.
class Unwritable {
  public:
    explicit Unwritable(const QString& dir) : dir_(dir) {
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                       QFileDevice::ReadOther | QFileDevice::ExeOther);
        user_.emplace();
    }
    ~Unwritable() {
        user_.reset();
        QFile::setPermissions(dir_, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
    }

  private:
    QString dir_;
    std::optional<OrdinaryUser> user_;
};

class ProgramUpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\"));
        program = dir.filePath(QStringLiteral("quorbel-fake"));
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old program");
        file.close();
        QFile::setPermissions(program, kMode);
    }
    void TearDown() override { Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\")); }

    QByteArray Read(const QString& name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::filesystem::perms Mode() const {
        return std::filesystem::status(program.toStdString()).permissions();
    }
    QStringList Files() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    void ExpectUntouched(const char* what) const {
        EXPECT_EQ(Read(QStringLiteral("quorbel-fake")), QByteArray("old program")) << what;
        EXPECT_EQ(Mode(), std::filesystem::perms(0750)) << what;
        EXPECT_EQ(Files(), QStringList{QStringLiteral("quorbel-fake")}) << what;
    }

    QTemporaryDir dir;
    QString program;
    TestServer server;
};

TEST_F(ProgramUpdateTest, EveryFailureLeavesTheProgramAndNoPartialFile) {
    CancelSink sink;
    const QByteArray program1000 = Program().left(1000);
    QByteArray random;
    std::mt19937 engine(7);
    while (random.size() < 4000) random += Bytes(uint32_t(engine()));
    const struct {
        const char* what;
        std::function<void()> setUp;
        const char* reason;
    } cases[] = {
        {"404", [&] { server.Answer(404, "Not Found", "<html>gone</html>"); },
         "the server answered 404 Not Found"},
        {"short body", [&] { server.Answer(200, "OK", program1000, 4064); },
         "only 1000 of the 4064 bytes the server announced arrived"},
        {"HTML body",
         [&] { server.Answer(200, "OK", "<!DOCTYPE html><html><body>moved</body></html>"); },
         "the download is no program; it begins \"<!DOCTYPE html><html\""},
        {"another machine's program", [&] { server.Answer(200, "OK", Program(1)); },
         "the download is no program for this computer"},
        {"announced length below the body", [&] { server.Answer(200, "OK", Program(), 2000); },
         "the download is cut short or damaged: segment 0 lies outside its 2000 bytes"},
        {"no length, connection closed halfway",
         [&] {
             server.response =
                 "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + Program().left(2000);
         },
         "the download is cut short or damaged: segment 0 lies outside its 2000 bytes"},
        {"ELF header and random bytes",
         [&] { server.Answer(200, "OK", Program().left(sizeof(Elf64_Ehdr)) + random); },
         "the download is cut short or damaged: segment 0 lies outside its 4064 bytes"},
        {"cancel",
         [&] {
             server.Answer(200, "OK", program1000, 4064);
             server.stall = [&] { sink.cancel = true; };
         },
         "the download was cancelled"},
    };
    for (const auto& c : cases) {
        sink.cancel = false;
        server.stall = nullptr;
        c.setUp();
        const UpdateResult r =
            UpdateProgramFile(server.Base() + QStringLiteral("bin/quorbel-fake"), program, &sink);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.reason.toStdString(), c.reason) << c.what;
        ExpectUntouched(c.what);
    }

    server.Answer(200, "OK", Program());
    server.requests.clear();
    {
        const Unwritable folder(dir.path());
        const UpdateResult r = UpdateProgramFile(server.Base(), program, nullptr);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.reason.startsWith(QStringLiteral("cannot write in the program's folder")))
            << r.reason.toStdString();
    }
    EXPECT_TRUE(server.requests.empty()) << "nothing is fetched that cannot be kept";
    ExpectUntouched("unwritable folder");
}

TEST_F(ProgramUpdateTest, ADownloadCollectsItsTextUpToTheLimit) {
    server.Answer(200, "OK", "hello world");
    QStringList text{QStringLiteral("before")};
    EXPECT_TRUE(DownloadUrlToFile(server.Base(), nullptr, &text, 5).ok);
    EXPECT_TRUE(DownloadUrlToFile(server.Base(), nullptr, &text, 0).ok);
    EXPECT_EQ(text, QStringList({QStringLiteral("before"), QStringLiteral("hello"),
                                 QStringLiteral("hello world")}));
}

TEST_F(ProgramUpdateTest, TheNewProgramReplacesTheOldOneWhichIsKeptAndStarts) {
    QFile older(program + QStringLiteral("_old"));
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("older program");
    older.close();
    server.Answer(200, "OK", Program());
    std::vector<QStringList> started;
    const RestartHook previous = SetRestartHook([&](const QString& p, const QStringList& args) {
        started.push_back(QStringList{p} + args);
        return true;
    });
    TfQuorbelView w;
    w.show();
    w.UpdateSiteAddress = server.Base().chopped(1); // the "/" before "bin/" is added
    w.ProgramFile = program;
    MessageCapture boxes(MsgResult::Yes);
    w.Help_UpdateQuorbelClick();
    SetRestartHook(previous);

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(
        QStringLiteral("Quorbel will try to download a new program version\n")));
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::YesNo);
    ASSERT_EQ(server.requests.size(), 1u);
    EXPECT_TRUE(server.requests[0].startsWith("GET /bin/quorbel-fake HTTP/1.1\r\n"));
    EXPECT_TRUE(server.requests[0].contains("\r\nUser-Agent: gui_tests\r\n"));
    EXPECT_EQ(Read(QStringLiteral("quorbel-fake")), Program());
    EXPECT_EQ(Mode(), std::filesystem::perms(0750));
    QFile self(QStringLiteral("/proc/self/exe")); // a real program passes the check too
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    EXPECT_EQ(CheckProgramFile(self).reason.toStdString(), "");
    EXPECT_EQ(Read(QStringLiteral("quorbel-fake_old")), QByteArray("old program"));
    EXPECT_EQ(Files(),
              QStringList({QStringLiteral("quorbel-fake"), QStringLiteral("quorbel-fake_old")}));
    // Closed the ordinary way, settings written, before the new program starts.
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(Registry::KeyExists(QStringLiteral("software\\JX-Quorbel\\")));
    EXPECT_EQ(started, std::vector<QStringList>({QStringList{program, QStringLiteral("\\new")}}));
}

TEST_F(ProgramUpdateTest, TheCommandAsksFirstAndSaysWhyNothingChanged) {
    TfQuorbelView w;
    w.ProgramFile = program;
    w.UpdateSiteAddress.clear();
    {
        MessageCapture boxes;
        w.Help_UpdateQuorbelClick();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("no distribution site")));
    }
    w.UpdateSiteAddress = server.Base();
    {
        MessageCapture boxes(MsgResult::No);
        BeepCounter beeps;
        w.Help_UpdateQuorbelClick();
        EXPECT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(beeps.count, 1);
    }
    EXPECT_TRUE(server.requests.empty());
    server.Answer(404, "Not Found", "gone");
    {
        MessageCapture boxes(MsgResult::Yes);
        w.Help_UpdateQuorbelClick();
        ASSERT_EQ(boxes.shown.size(), 2u);
        EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Stop);
        EXPECT_EQ(boxes.shown[1].text,
                  QStringLiteral("The new version of Quorbel could not be installed:\n\nthe server "
                                 "answered 404 Not Found\n\nThe present program is unchanged."));
    }
    EXPECT_TRUE(w.StatusBar1_Panels[1]->text().isEmpty());
    ExpectUntouched("404");
}

} // namespace
