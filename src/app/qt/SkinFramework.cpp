#include "app/qt/SkinFramework.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include "base/Failure.h"

SkinFramework::SkinFramework(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("SkinFramework1"));
}

void SkinFramework::loadSkin(const std::string& path, const std::string& /*section*/)
{
    const QString fileName = QString::fromStdString(path);
    if (QFileInfo(fileName).isDir())
        throw Failure("The skin file " + path + " is a folder");
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Failure("The skin file " + path + " could not be loaded: " + file.errorString().toStdString());
    m_styleSheet = QString::fromUtf8(file.readAll());
}

void SkinFramework::setOption(int dispatchId, bool on)
{
    if (dispatchId != 5 && dispatchId != 10)
        throw Failure("Invalid property value");
    m_switches[dispatchId == 5 ? 0 : 1] = on;
}

void SkinFramework::applyWindow(std::intptr_t windowHandle)
{
    QWidget* window = QWidget::find(static_cast<WId>(windowHandle));
    if (!window)
        throw Failure("Invalid window handle");
    if (m_styleSheet.isEmpty())
        throw Failure("No skin is loaded");
    // A style sheet set on a window reaches every control and box it owns.
    window->setStyleSheet(m_styleSheet);
}
