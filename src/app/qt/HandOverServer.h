#pragma once

#include <QLocalServer>
#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QLocalSocket;

// The running Plotvane's end of the hand-over: a local server that only this
// user can reach. Each connection brings one message; a well-formed one is
// answered and its paths go to the receiver, anything else is cut off unread.
class HandOverServer final : public QObject {
    Q_OBJECT
public:
    using Receiver = std::function<void(std::vector<std::string> paths)>;
    // The answer to a message that was taken.
    static const char* const Taken;
    // How long one connection may take to bring its message.
    static constexpr int MessageLimitMs = 10000;

    explicit HandOverServer(Receiver receiver, QObject* parent = nullptr);

    // Listens under the name, in place of a server that no longer runs there.
    bool listen(const QString& name);
    QString errorString() const { return m_server.errorString(); }

private:
    void accept();
    void serve(QLocalSocket* connection);

    QLocalServer m_server;
    Receiver m_receiver;
};
