#include "app/qt/RunNotice.h"

#include <QSystemTrayIcon>
#include <QWidget>

void noticeRunEnd(QWidget& window, const QString& text)
{
    if (window.isActiveWindow() || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    // One icon in the notification area for the window's life, shown only
    // to carry the message.
    auto* tray = window.findChild<QSystemTrayIcon*>(QStringLiteral("runNotice"));
    if (!tray) {
        tray = new QSystemTrayIcon(window.windowIcon(), &window);
        tray->setObjectName(QStringLiteral("runNotice"));
        tray->setToolTip(window.windowTitle());
    }
    tray->show();
    tray->showMessage(window.windowTitle(), text, QSystemTrayIcon::Information);
}
