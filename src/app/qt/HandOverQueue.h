#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Holds the lists of paths handed to this Plotvane (its own command line and
// later starts in the session) until the window is shown, then gives them to
// the window one list at a time, in the order they came. A list is never given
// while another is still being added (a folder scan lets events through), nor
// while a modal dialog is open; it waits for that to end.
class HandOverQueue final : public QObject {
    Q_OBJECT
public:
    using Delivery = std::function<void(const std::vector<std::string>& paths)>;

    explicit HandOverQueue(QObject* parent = nullptr);

    void add(std::vector<std::string> paths);
    // From the next turn of the event loop on, lists go to `deliver`.
    void open(Delivery deliver);

private:
    void deliverPending();
    void deliverSoon(int delayMs);

    std::deque<std::vector<std::string>> m_pending;
    Delivery m_deliver;
    bool m_delivering = false;
};
