#pragma once

#include <QList>
#include <QObject>
#include <QRect>

class QWidget;

// A ring drawn just outside the control that has the keyboard focus, on its
// parent's background, in the highlight colour where that stands out from the
// background by 3:1 or more (else in black or white). It shows only once the
// focus has been moved by keys in the window, as the style's own focus frames
// do, so a window worked by the mouse alone looks as before.
class FocusRing final : public QObject {
    Q_OBJECT
public:
    FocusRing(const QList<QWidget*>& controls, QObject* parent);

    // The ring's outer edge around a control, in its parent's coordinates.
    static QRect around(const QWidget& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintRing(QWidget& parent) const;

    QList<QWidget*> m_controls;
};
