#pragma once

#include <QObject>
#include <functional>

class Lifetime;
class QSocketNotifier;

// Turns the system's requests to end the program (on POSIX: SIGTERM, SIGINT
// and SIGHUP) into the same orderly end as closing the window, on the window's
// thread: Lifetime::end(), which ends the outside application's run in work
// and removes its folders. The request is handled as soon as the window
// handles events, also during the waits of a print run. A signal that was
// ignored when the program started stays ignored. `received`, where given,
// hears the signal's number just before the end.
class EndOnSignals final : public QObject {
public:
    explicit EndOnSignals(Lifetime& lifetime, std::function<void(int signal)> received = {}, QObject* parent = nullptr);
    ~EndOnSignals() override;
    EndOnSignals(const EndOnSignals&) = delete;
    EndOnSignals& operator=(const EndOnSignals&) = delete;

private:
    Lifetime& m_lifetime;
    std::function<void(int signal)> m_received;
    QSocketNotifier* m_requests = nullptr;  // where the requests arrive, if anywhere
};
