#include "printing/qt/OutcomeIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

// A round badge of the outcome's colour with a mark drawn in white.
QIcon badge(const QColor& colour, const std::function<void(QPainter&)>& mark)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    mark(painter);
    painter.end();
    return QIcon(picture);
}

}  // namespace

QIcon outcomeIcon(Outcome outcome)
{
    switch (outcome) {
    case Outcome::InWork:  // three dots
        return badge(QColor(0x60, 0x60, 0x60), [](QPainter& p) {
            for (const int x : {10, 16, 22})
                p.drawPoint(QPointF(x, 16));
        });
    case Outcome::Sent:  // an arrow to the right
        return badge(QColor(0x2a, 0x6f, 0xc9), [](QPainter& p) {
            p.drawLine(QPointF(9, 16), QPointF(23, 16));
            p.drawPolyline(QPolygonF({QPointF(17, 10), QPointF(23, 16), QPointF(17, 22)}));
        });
    case Outcome::Printed:  // a tick
        return badge(QColor(0x2e, 0x8b, 0x3e), [](QPainter& p) {
            p.drawPolyline(QPolygonF({QPointF(9, 16), QPointF(14, 21), QPointF(23, 11)}));
        });
    case Outcome::Failed:  // a cross
        return badge(QColor(0xc6, 0x28, 0x28), [](QPainter& p) {
            p.drawLine(QPointF(11, 11), QPointF(21, 21));
            p.drawLine(QPointF(21, 11), QPointF(11, 21));
        });
    case Outcome::Stopped:  // a bar: stopped
        return badge(QColor(0xe0, 0x8a, 0x00), [](QPainter& p) { p.drawLine(QPointF(10, 16), QPointF(22, 16)); });
    case Outcome::NotReached:  // hollow
        return badge(QColor(0x9e, 0x9e, 0x9e), [](QPainter&) {});
    }
    return {};
}
