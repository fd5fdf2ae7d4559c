#include "app/qt/EndOnSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "base/Lifetime.h"

namespace {

constexpr int EndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler can do little safely; it writes a byte into this pipe, and
// the window's thread, watching the other end, does the rest. The handler can
// reach nothing but what lives here.
int signalPipe[2] = {-1, -1};

void onEndSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    ssize_t written = ::write(signalPipe[1], &byte, 1);
    (void)written;  // a full pipe already holds a request to end
    errno = saved;
}

}  // namespace

EndOnSignals::EndOnSignals(Lifetime& lifetime, std::function<void(int signal)> received, QObject* parent)
    : QObject(parent), m_lifetime(lifetime), m_received(std::move(received))
{
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;  // the signals keep their default action: the program ends, and the watcher ends its child
    m_requests = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_requests, &QSocketNotifier::activated, this, [this] {
        unsigned char bytes[16];
        int first = 0;
        for (ssize_t got; (got = ::read(signalPipe[0], bytes, sizeof bytes)) > 0;) {
            if (first == 0)
                first = bytes[0];
        }
        if (m_received && first != 0)
            m_received(first);
        m_lifetime.end();
    });
    for (const int signal : EndSignals) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
}

EndOnSignals::~EndOnSignals()
{
    if (!m_requests)
        return;
    for (const int signal : EndSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == onEndSignal)
            ::signal(signal, SIG_DFL);
    }
    delete m_requests;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}
