#include "app/qt/SessionStart.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QLockFile>

#include "app/HandOverMessage.h"
#include "app/RawArguments.h"
#include "app/qt/HandOverServer.h"

namespace {

// How long a start waits for the lock that another start holds while it decides.
constexpr int DecisionLimitMs = 5000;
constexpr int ConnectLimitMs = 1000;

enum class HandOver { Taken, NoServer, NoAnswer };

HandOver handOver(const QString& name, const std::vector<std::string>& paths, int answerLimitMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectLimitMs))
        return HandOver::NoServer;
    letHandOverComeForward();
    const std::string message = handOverMessage(paths);
    socket.write(message.data(), static_cast<qint64>(message.size()));
    QDeadlineTimer deadline(answerLimitMs);
    const QByteArray taken(HandOverServer::Taken);
    QByteArray answer;
    while (answer.size() < taken.size() && !deadline.hasExpired()) {
        if (socket.bytesToWrite() > 0)
            socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
        else if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        answer += socket.readAll();
    }
    return answer.startsWith(taken) ? HandOver::Taken : HandOver::NoAnswer;
}

}  // namespace

std::vector<std::string> commandLinePaths(const std::vector<std::string>& arguments)
{
    std::vector<std::string> paths;
    for (const std::string& argument : arguments) {
        if (!argument.empty())
            paths.push_back(absoluteArgumentPath(argument));
    }
    return paths;
}

SessionStart startInSession(const HandOverAddress& address, const std::vector<std::string>& paths,
                            HandOverServer& server, int answerLimitMs)
{
    if (address.server.empty())
        return SessionStart::OwnWindow;
    QLockFile decision(QString::fromStdString(address.lock));
    const bool decidingAlone = decision.tryLock(DecisionLimitMs);
    const QString name = QString::fromStdString(address.server);
    switch (handOver(name, paths, answerLimitMs)) {
    case HandOver::Taken:
        return SessionStart::HandedOver;
    case HandOver::NoAnswer:
        return SessionStart::NoAnswer;
    case HandOver::NoServer:
        break;
    }
    // What is left at the address is a socket of a Plotvane that no longer
    // runs; only the start that holds the lock may take it over.
    if (decidingAlone && !server.listen(name))
        qWarning("plotvane: later starts cannot hand over to this one: %s", qPrintable(server.errorString()));
    return SessionStart::OwnWindow;
}
