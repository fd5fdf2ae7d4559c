#include "app/qt/RunNotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>
#include <QWidget>

void noticeRunEnd(QWidget& window, const QString& text)
{
    if (window.isActiveWindow())
        return;
    // The freedesktop notification service on the session bus; the call is
    // sent without waiting for its answer, and goes nowhere without a bus.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << QStringLiteral("Plotvane") << 0u << QStringLiteral("plotvane") << window.windowTitle() << text
           << QStringList() << QVariantMap() << -1;
    notify.setAutoStartService(false);
    bus.asyncCall(notify);
}
