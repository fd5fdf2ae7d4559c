#include <QtTest>
#include <csignal>

#include "app/qt/EndOnSignals.h"
#include "fakes/FakeLifetime.h"

// The system's requests to end the program end its lifetime in order, on the
// window's thread.
class TestEndOnSignals final : public QObject {
    Q_OBJECT
private slots:
    void requestToEndEndsTheLifetime_data();
    void requestToEndEndsTheLifetime();
};

void TestEndOnSignals::requestToEndEndsTheLifetime_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("ignoredAtStart");
    QTest::newRow("SIGTERM") << SIGTERM << false;
    QTest::newRow("SIGINT") << SIGINT << false;
    QTest::newRow("SIGHUP") << SIGHUP << false;
    QTest::newRow("SIGHUP ignored at start (nohup)") << SIGHUP << true;
}

void TestEndOnSignals::requestToEndEndsTheLifetime()
{
    QFETCH(int, signal);
    QFETCH(bool, ignoredAtStart);
    if (ignoredAtStart)
        std::signal(signal, SIG_IGN);
    FakeLifetime lifetime;
    int cleanups = 0;
    lifetime.addCleanup([&] { ++cleanups; });
    {
        EndOnSignals ends(lifetime);
        std::raise(signal);
        // Nothing happens inside the signal handler itself.
        QVERIFY(!lifetime.ended());
        if (ignoredAtStart) {
            QTest::qWait(200);
            QVERIFY(!lifetime.ended());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(lifetime.ended(), 2000);
            QCOMPARE(cleanups, 1);
        }
    }
    std::signal(signal, SIG_DFL);
}

QTEST_MAIN(TestEndOnSignals)
#include "test_end_on_signals.moc"
