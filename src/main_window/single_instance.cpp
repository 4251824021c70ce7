// The single program's server and a later start's hand-over.
#include "single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

namespace trivant {

namespace {

const QByteArray kHeader("trivant-open 1\n");
constexpr int kConnectMs = 1000;
constexpr int kLockMs = 5000;
// Long enough for a busy program whose event loop runs (a modal box answers sockets too).
constexpr int kReplyMs = 10000;
constexpr qsizetype kMaxMessageBytes = 1 << 20;

}  // namespace

const char* const kHandoverReply = "ok\n";

QByteArray EncodeHandover(const QStringList& paths) {
    QByteArray out = kHeader;
    for (const QString& p : paths)
        out += p.toUtf8() + '\0';
    return out + '\0';
}

std::optional<QStringList> DecodeHandover(const QByteArray& bytes, bool* malformed) {
    const qsizetype n = std::min(bytes.size(), kHeader.size());
    const bool bad = bytes.left(n) != kHeader.left(n) || bytes.size() > kMaxMessageBytes;
    if (malformed)
        *malformed = bad;
    if (bad || bytes.size() <= kHeader.size())
        return std::nullopt;
    QStringList paths;
    for (qsizetype at = kHeader.size(); at < bytes.size();) {
        const qsizetype end = bytes.indexOf('\0', at);
        if (end < 0)
            return std::nullopt;
        if (end == at)
            return paths;  // the empty item ends the message
        paths.push_back(QString::fromUtf8(bytes.mid(at, end - at)));
        at = end + 1;
    }
    return std::nullopt;
}

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() = default;

SingleInstance::Role SingleInstance::Start(const QStringList& absolutePaths) {
    // Two starts at once: one checks and listens while the other waits here.
    // A named pipe (Windows) is no file: its lock goes to the temporary folder.
    const QFileInfo name(socketPath_);
    QLockFile lock((name.isAbsolute() ? socketPath_ : QDir::temp().filePath(socketPath_)) +
                   ".lock");
    lock.tryLock(kLockMs);  // past that, on without it: a stuck start must not hang this one
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(kConnectMs)) {
        lock.unlock();
        return handOver(socket, absolutePaths) ? Role::HandedOver : Role::Failed;
    }
    listen();
    return Role::Primary;
}

bool SingleInstance::listening() const {
    return server_ && server_->isListening();
}

bool SingleInstance::handOver(QLocalSocket& socket, const QStringList& paths) {
    socket.write(EncodeHandover(paths));
    const QByteArray reply(kHandoverReply);
    QByteArray got;
    while (got.size() < reply.size() && socket.waitForReadyRead(kReplyMs))
        got += socket.readAll();
    return got == reply;
}

void SingleInstance::listen() {
    // A socket left by a program that crashed answers nobody and would stop listen().
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_))
        return;  // the program still runs, only without reaching later starts
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
    }
}

void SingleInstance::readFrom(QLocalSocket* socket) {
    // The bytes so far wait in the socket's buffer until the message is whole.
    bool malformed = false;
    const std::optional<QStringList> paths =
        DecodeHandover(socket->peek(kMaxMessageBytes + 1), &malformed);
    if (malformed) {
        socket->abort();
        return;
    }
    if (!paths)
        return;
    socket->readAll();
    socket->write(kHandoverReply);
    socket->flush();
    // Opening may show modal boxes: not from inside this socket's signal.
    QTimer::singleShot(0, this, [this, files = *paths] { emit filesReceived(files); });
}

}  // namespace trivant
