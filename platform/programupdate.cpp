#include "programupdate.h"

#include "sinks.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int kSilenceMs = 30000;
constexpr int kCancelPollMs = 100;

UpdateResult Failed(const QString& reason) {
    return {false, reason};
}

// One transfer: the reply's bytes to the file and the text, until it finishes or is stopped.
class Transfer {
  public:
    Transfer(QNetworkReply* reply, QIODevice* file, bool collect, qint64 limit,
             ProgressSink* progress)
        : reply_(reply), file_(file), collect_(collect), limit_(limit), progress_(progress) {}

    void Run() {
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(kCancelPollMs);
        QObject::connect(reply_, &QNetworkReply::readyRead, reply_, [this] { Take(); });
        QObject::connect(reply_, &QNetworkReply::downloadProgress, reply_,
                         [this](qint64 got, qint64 total) { ShowProgress(got, total); });
        QObject::connect(reply_, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QObject::connect(&poll, &QTimer::timeout, &poll, [this] { Stop(); });
        poll.start();
        if (!reply_->isFinished()) loop.exec();
        poll.stop();
        QObject::disconnect(reply_, nullptr, nullptr, nullptr);
        Take();
    }

    UpdateResult Result() const {
        if (cancelled_) return Failed(QStringLiteral("the download was cancelled"));
        if (!writeError_.isEmpty()) return Failed(writeError_);
        if (limitReached_) return {true, {}};
        const QNetworkReply::NetworkError error = reply_->error();
        if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
            return Failed(QStringLiteral("no data came for %1 seconds").arg(kSilenceMs / 1000));
        const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid() && status.toInt() != 200)
            return Failed(
                QStringLiteral("the server answered %1 %2")
                    .arg(status.toInt())
                    .arg(reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() != received_)
            return Failed(QStringLiteral("only %1 of the %2 bytes the server announced arrived")
                              .arg(received_)
                              .arg(length.toLongLong()));
        if (error != QNetworkReply::NoError) return Failed(reply_->errorString());
        if (!status.isValid()) return Failed(QStringLiteral("the address gave no HTTP answer"));
        return {true, {}};
    }

    const QByteArray& Text() const { return text_; }

  private:
    void Take() {
        while (reply_->bytesAvailable() > 0 && !Stopped()) {
            QByteArray chunk = reply_->read(64 * 1024);
            if (collect_ && limit_ > 0 && received_ + chunk.size() >= limit_) {
                chunk.truncate(limit_ - received_);
                limitReached_ = true;
            }
            received_ += chunk.size();
            if (file_ && file_->write(chunk) != chunk.size())
                writeError_ =
                    QStringLiteral("cannot write the downloaded file: ") + file_->errorString();
            if (collect_) text_ += chunk;
        }
        Stop();
    }

    bool Stopped() const { return cancelled_ || limitReached_ || !writeError_.isEmpty(); }

    // Ends the transfer once it is cancelled, complete by the limit or no longer written.
    void Stop() {
        if (progress_ && progress_->Cancelled()) cancelled_ = true;
        if (Stopped() && reply_->isRunning()) reply_->abort();
    }

    void ShowProgress(qint64 got, qint64 total) {
        if (!progress_ || total <= 0) return;
        progress_->SetMaximum(1000);
        progress_->SetPosition(static_cast<int>(std::min<qint64>(got, total) * 1000 / total));
    }

    QNetworkReply* reply_;
    QIODevice* file_;
    bool collect_;
    qint64 limit_;
    ProgressSink* progress_;
    qint64 received_ = 0;
    QByteArray text_;
    bool cancelled_ = false, limitReached_ = false;
    QString writeError_;
};

} // namespace

UpdateResult DownloadUrlToFile(const QString& address, QIODevice* file, QStringList* text,
                               qint64 byteLimit, ProgressSink* progress) {
    const QUrl url(address);
    if (!url.isValid() || url.scheme().isEmpty())
        return Failed(QStringLiteral("\"%1\" is no valid address").arg(address));
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    // The bytes as the server holds them, so their count can be held against the one announced.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setTransferTimeout(kSilenceMs);
    QNetworkReply* reply = manager.get(request);
    Transfer transfer(reply, file, text != nullptr, byteLimit, progress);
    transfer.Run();
    const UpdateResult result = transfer.Result();
    if (result.ok && text) text->append(QString::fromUtf8(transfer.Text()));
    return result;
}

UpdateResult UpdateProgramFile(const QString& address, const QString& program,
                               ProgressSink* progress) {
    const QFileInfo info(program);
    // Removed again on every way out but success.
    QTemporaryFile download(info.absolutePath() + QLatin1Char('/') + info.fileName() +
                            QStringLiteral("_new.XXXXXX"));
    if (!download.open())
        return Failed(QStringLiteral("cannot write in the program's folder %1: %2")
                          .arg(info.absolutePath(), download.errorString()));
    UpdateResult result = DownloadUrlToFile(address, &download, nullptr, 0, progress);
    if (result.ok) result = CheckProgramFile(download);
    if (result.ok) result = InstallProgramFile(download, program);
    if (result.ok) download.setAutoRemove(false);
    return result;
}
