#include "app/qt/HandOverServer.h"

#include <QLocalSocket>
#include <QTimer>
#include <memory>

#include "app/HandOverMessage.h"

const char* const HandOverServer::Taken = "TAKEN\n";

namespace {

void cutOff(QLocalSocket* connection)
{
    connection->abort();
    connection->deleteLater();
}

}  // namespace

HandOverServer::HandOverServer(Receiver receiver, QObject* parent) : QObject(parent), m_receiver(std::move(receiver))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &HandOverServer::accept);
}

bool HandOverServer::listen(const QString& name)
{
    QLocalServer::removeServer(name);
    return m_server.listen(name);
}

void HandOverServer::accept()
{
    while (QLocalSocket* connection = m_server.nextPendingConnection())
        serve(connection);
}

void HandOverServer::serve(QLocalSocket* connection)
{
    connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
    // A sender that never finishes its message is not waited for.
    QTimer::singleShot(MessageLimitMs, connection, [connection] { cutOff(connection); });
    auto reader = std::make_shared<HandOverReader>(nativePathStyle());
    connect(connection, &QLocalSocket::readyRead, this, [this, connection, reader] {
        const QByteArray bytes = connection->readAll();
        switch (reader->feed(bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        case HandOverReader::State::Incomplete:
            return;
        case HandOverReader::State::Malformed:
            cutOff(connection);
            return;
        case HandOverReader::State::Complete:
            connection->write(Taken);
            connection->disconnectFromServer();
            m_receiver(reader->paths());
            return;
        }
    });
}
