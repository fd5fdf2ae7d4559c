#include "app/qt/FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "platform/qt/ColourContrast.h"

namespace {
constexpr int RingGap = 1;
constexpr int RingWidth = 2;
// The least contrast of the ring against the background around it.
constexpr double RingRatio = 3.0;
}  // namespace

FocusRing::FocusRing(const QList<QWidget*>& controls, QObject* parent) : QObject(parent), m_controls(controls)
{
    for (QWidget* control : m_controls) {
        control->installEventFilter(this);
        if (QWidget* holder = control->parentWidget())
            holder->installEventFilter(this);
    }
}

QRect FocusRing::around(const QWidget& control)
{
    const int out = RingGap + RingWidth;
    return control.geometry().adjusted(-out, -out, out, out);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        auto* control = static_cast<QWidget*>(watched);
        if (m_controls.contains(control) && control->parentWidget())
            control->parentWidget()->update(around(*control));
    } else if (type == QEvent::Paint && watched->isWidgetType()) {
        // The parent's own painting is its background and frame, which do
        // not reach the ring's place around its controls.
        paintRing(*static_cast<QWidget*>(watched));
    }
    return QObject::eventFilter(watched, event);
}

void FocusRing::paintRing(QWidget& parent) const
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->parentWidget() != &parent || !m_controls.contains(focused)
        || !focused->window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    const QPalette& colours = parent.palette();
    const QColor ring = readableOn(colours.color(QPalette::Window), colours.color(QPalette::Highlight), RingRatio);
    QPainter painter(&parent);
    painter.setPen(QPen(ring, RingWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    // A pen of width 2 on a rectangle 2 pixels out covers the 1st and 2nd pixel
    // rows beyond the gap.
    const int middle = RingGap + RingWidth / 2;
    painter.drawRect(QRectF(focused->geometry()).adjusted(-middle, -middle, middle, middle));
}
