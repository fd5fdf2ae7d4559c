#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <cmath>

void QtEventPump::processPending()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(double maxSeconds)
{
    // A timer bounds the sleep: its expiry is itself an event that wakes the wait.
    QTimer wakeUp;
    wakeUp.setSingleShot(true);
    wakeUp.setTimerType(Qt::PreciseTimer);
    wakeUp.start(static_cast<int>(std::ceil(std::max(0.0, maxSeconds) * 1000.0)));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtEventPump::waitForReadable(int descriptor, double maxSeconds)
{
    QSocketNotifier ready(descriptor, QSocketNotifier::Read);
    // One wake is enough: the descriptor stays readable until the caller reads
    // it, and an event loop nested in a handler (a dialog opened meanwhile)
    // must not keep waking on it.
    QObject::connect(&ready, &QSocketNotifier::activated, &ready, [&ready] { ready.setEnabled(false); });
    waitForEvents(maxSeconds);
}

void QtEventPump::post(std::function<void()> task)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, std::move(task), Qt::QueuedConnection);
}
