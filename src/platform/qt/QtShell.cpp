#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QUrl>

void QtShell::openUrlMinimized(const std::string& url)
{
    // The desktop decides how the browser opens; nothing waits for it.
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void QtShell::openFolder(const std::string& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}
