// One Trivant per user: a later start hands its files to the running program over a local
// socket and ends, so that two programs never share the serial port and the settings file.
// Used by main() only; the windows know nothing of it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QLocalServer;
class QLocalSocket;

namespace trivant {

// The message of a later start: a header line, then each absolute path in UTF-8 ended by a
// NUL byte, then one more NUL. The running program answers kHandoverReply.
QByteArray EncodeHandover(const QStringList& paths);
// The paths once the whole message is there; nullopt while it is incomplete. malformed is
// set when it can never become a message.
std::optional<QStringList> DecodeHandover(const QByteArray& bytes, bool* malformed = nullptr);
extern const char* const kHandoverReply;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        Primary,     // no program ran: this one runs, listening for later starts when it can
        HandedOver,  // the running program took the files: this one ends
        Failed,      // a program answered but did not take them
    };

    // socketPath: the server's name, per user (InstanceSocketPath()).
    explicit SingleInstance(QString socketPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands absolute paths to a running program, or becomes the one that others reach.
    Role Start(const QStringList& absolutePaths);
    bool listening() const;

signals:
    // A later start's files (possibly none), delivered after the start was answered.
    void filesReceived(const QStringList& paths);

private:
    static bool handOver(QLocalSocket& socket, const QStringList& paths);
    void listen();
    void accept();
    void readFrom(QLocalSocket* socket);

    QString socketPath_;
    QLocalServer* server_ = nullptr;
};

}  // namespace trivant
