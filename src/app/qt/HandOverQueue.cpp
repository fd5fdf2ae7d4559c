#include "app/qt/HandOverQueue.h"

#include <QApplication>
#include <QTimer>

namespace {
// How often a list that waits for a modal dialog looks again.
constexpr int ModalWaitMs = 200;
}  // namespace

HandOverQueue::HandOverQueue(QObject* parent) : QObject(parent) {}

void HandOverQueue::add(std::vector<std::string> paths)
{
    m_pending.push_back(std::move(paths));
    // Never from inside the caller (a socket's handler): from the event loop.
    deliverSoon(0);
}

void HandOverQueue::open(Delivery deliver)
{
    m_deliver = std::move(deliver);
    deliverSoon(0);
}

void HandOverQueue::deliverSoon(int delayMs)
{
    QTimer::singleShot(delayMs, this, &HandOverQueue::deliverPending);
}

void HandOverQueue::deliverPending()
{
    if (!m_deliver || m_delivering || m_pending.empty())
        return;
    if (QApplication::activeModalWidget()) {
        deliverSoon(ModalWaitMs);
        return;
    }
    m_delivering = true;
    while (!m_pending.empty()) {
        const std::vector<std::string> paths = std::move(m_pending.front());
        m_pending.pop_front();
        m_deliver(paths);
    }
    m_delivering = false;
}
