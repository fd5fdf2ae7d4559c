#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
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
