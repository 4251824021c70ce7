// The single program: the hand-over message, and a later start reaching the running one over
// a real local socket, also past a socket left by a crash.
#include "single_instance.h"

#include "temp_dir.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <future>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace trivant {
namespace {

TEST(Handover, MessagesRoundTripAndPartsWait) {
    const QStringList lists[] = {{}, {"/a.rr"}, {"/x/запись 1.rr", "/y/b.txt", "/z/ü\n.rr"}};
    for (const QStringList& paths : lists) {
        const QByteArray bytes = EncodeHandover(paths);
        EXPECT_EQ(DecodeHandover(bytes), paths);
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            bool malformed = true;
            EXPECT_FALSE(DecodeHandover(bytes.left(n), &malformed)) << n;
            EXPECT_FALSE(malformed) << n;
        }
    }
}

TEST(Handover, ForeignBytesAreMalformed) {
    for (const QByteArray& bytes : {QByteArray("GET / HTTP/1.0\r\n"), QByteArray("x"),
                                    QByteArray("trivant-open 2\n\0", 16)}) {
        bool malformed = false;
        EXPECT_FALSE(DecodeHandover(bytes, &malformed));
        EXPECT_TRUE(malformed) << bytes.toStdString();
    }
}

class SingleInstanceTest : public ::testing::Test {
protected:
    // A later start in a thread of its own: the running one answers from this thread's loop.
    SingleInstance::Role laterStart(const QStringList& paths) {
        auto later = std::async(std::launch::async, [this, paths] {
            SingleInstance second(socket);
            return second.Start(paths);
        });
        while (later.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return later.get();
    }

    test::TempDir dir;
    QString socket = QString::fromStdString(dir.file("trivant.socket"));
};

TEST_F(SingleInstanceTest, ALaterStartHandsItsFilesToTheRunningOne) {
    SingleInstance first(socket);
    ASSERT_EQ(first.Start({}), SingleInstance::Role::Primary);
    ASSERT_TRUE(first.listening());
    QSignalSpy received(&first, &SingleInstance::filesReceived);
    const QStringList files{"/data/a.rr", "/data/запись.txt"};
    EXPECT_EQ(laterStart(files), SingleInstance::Role::HandedOver);
    EXPECT_EQ(laterStart({}), SingleInstance::Role::HandedOver);
    while (received.size() < 2)
        ASSERT_TRUE(received.wait(5000));
    EXPECT_EQ(received[0][0].toStringList(), files);
    EXPECT_EQ(received[1][0].toStringList(), QStringList());
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashDoesNotStopTheStart) {
    // A bound socket nobody listens on, as a killed program leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string path = socket.toStdString();
    ASSERT_LT(path.size(), sizeof addr.sun_path);
    std::copy(path.begin(), path.end(), addr.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    SingleInstance first(socket);
    EXPECT_EQ(first.Start({"/a.rr"}), SingleInstance::Role::Primary);
    EXPECT_TRUE(first.listening());
    EXPECT_EQ(laterStart({"/b.rr"}), SingleInstance::Role::HandedOver);
}

}  // namespace
}  // namespace trivant
