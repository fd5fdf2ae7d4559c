#include <QElapsedTimer>
#include <QtTest>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "platform/qt/QtEventPump.h"

// The window's event pump wakes for a descriptor that becomes readable, as a
// conversion's end, and for a task posted from another thread, as a request's
// answer, without waiting for its time to be up.
class TestQtEventPump final : public QObject {
    Q_OBJECT
private slots:
    void waitEndsWhenTheDescriptorBecomesReadable();
    void postedTaskWakesTheWaitAndRunsOnTheWindowsThread();
};

void TestQtEventPump::waitEndsWhenTheDescriptorBecomesReadable()
{
    int ends[2];
    QVERIFY(::pipe2(ends, O_CLOEXEC) == 0);
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const ssize_t written = ::write(ends[1], "x", 1);
        (void)written;  // checked below: the descriptor is readable
    });
    const auto readable = [&] {
        pollfd ready{ends[0], POLLIN, 0};
        return ::poll(&ready, 1, 0) == 1;
    };
    QtEventPump pump;
    constexpr double Limit = 5;
    QElapsedTimer timer;
    timer.start();
    // Other events may end a wait early; the descriptor must end one before
    // the limit, which a wait that does not watch it reaches.
    while (!readable() && timer.elapsed() < Limit * 1000)
        pump.waitForReadable(ends[0], Limit - timer.elapsed() / 1000.0);
    QVERIFY(timer.elapsed() < Limit * 1000);
    QVERIFY(readable());
    writer.join();
    ::close(ends[0]);
    ::close(ends[1]);
}

void TestQtEventPump::postedTaskWakesTheWaitAndRunsOnTheWindowsThread()
{
    QtEventPump pump;
    bool ran = false;
    std::thread::id ranOn;
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        pump.post([&] {
            ran = true;
            ranOn = std::this_thread::get_id();
        });
    });
    constexpr double Limit = 5;
    QElapsedTimer timer;
    timer.start();
    while (!ran && timer.elapsed() < Limit * 1000)
        pump.waitForEvents(Limit - timer.elapsed() / 1000.0);
    poster.join();
    QVERIFY(ran);
    QVERIFY(timer.elapsed() < Limit * 1000);
    QCOMPARE(ranOn, std::this_thread::get_id());
}

QTEST_MAIN(TestQtEventPump)
#include "test_qt_event_pump.moc"
