#include "app/qt/MainWindow.h"

#include <QFile>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "base/Failure.h"

// The window's mouse pointer: the hourglass while a command works, the
// program's own pointer over the buttons, the default elsewhere.

namespace {

// The hot spot of a cursor file: a .CUR keeps it in its first directory entry.
QPoint cursorHotSpot(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(14);
    if (head.size() < 14 || head[0] != 0 || head[1] != 0 || head[2] != 2 || head[3] != 0)
        return {};
    auto word
        = [&](int at) { return static_cast<unsigned char>(head[at]) | static_cast<unsigned char>(head[at + 1]) << 8; };
    return {word(10), word(12)};
}

}  // namespace

void MainWindow::loadMouseIcon(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    QPixmap picture;
    if (!picture.load(file))
        throw Failure("Invalid picture");
    const QPoint hotSpot = cursorHotSpot(file);
    m_mouseIcon = QCursor(picture, hotSpot.x(), hotSpot.y());
}

void MainWindow::setMousePointer(int value)
{
    m_mousePointer = value;
    if (value == MousePointer::Hourglass)
        setCursor(Qt::WaitCursor);
    else if (value == MousePointer::Custom && hasMouseIcon())
        setCursor(*m_mouseIcon);
    else if (value == MousePointer::Arrow)
        setCursor(Qt::ArrowCursor);
    else
        unsetCursor();
}

void MainWindow::pointWhenIdle(int value)
{
    if (!isBusy())
        setMousePointer(value);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    // Only the background itself: moves over a selector or the progress bar
    // reach the window too, and leave the pointer as it is.
    if (!childAt(event->position().toPoint()))
        pointWhenIdle(MousePointer::Default);
    QWidget::mouseMoveEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_printerFrame || watched == m_pauseFrame) {
            auto* frame = static_cast<QWidget*>(watched);
            const auto* move = static_cast<QMouseEvent*>(event);
            if (!frame->childAt(move->position().toPoint()))
                pointWhenIdle(MousePointer::Default);
        } else if (qobject_cast<QPushButton*>(watched)) {
            pointWhenIdle(MousePointer::Custom);
        }
    }
    return QWidget::eventFilter(watched, event);
}
