#include "printing/qt/ProgressBar.h"

#include <QPainter>
#include <QStyleOptionProgressBar>
#include <algorithm>

#include "base/Failure.h"

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {}

void ProgressBar::setValue(double value)
{
    if (!(value >= 0.0 && value <= 100.0))
        throw Failure("Invalid property value");
    m_value = value;
    update();
}

void ProgressBar::setText(const QString& text)
{
    m_text = text;
    update();
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionProgressBar option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    option.minimum = 0;
    option.maximum = 10000;
    option.progress = static_cast<int>(std::clamp(m_value, 0.0, 100.0) * 100.0);
    option.text = m_text;
    option.textVisible = true;
    option.textAlignment = Qt::AlignCenter;
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
}
