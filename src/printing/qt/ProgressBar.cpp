#include "printing/qt/ProgressBar.h"

#include <QAccessible>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <algorithm>

#include "base/Failure.h"
#include "platform/qt/ColourContrast.h"
#include "printing/qt/AccessibleProgressBar.h"

namespace {
// The least contrast of the text against the bar's filled part.
constexpr double ReadableTextRatio = 4.5;
}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent)
{
    // Qt keeps each factory once, however many bars are made.
    QAccessible::installFactory(accessibleProgressBar);
}

void ProgressBar::setValue(double value)
{
    if (!(value >= 0.0 && value <= 100.0))
        throw Failure("Invalid property value");
    m_value = value;
    update();
    QAccessibleValueChangeEvent changed(this, value);
    QAccessible::updateAccessibility(&changed);
}

void ProgressBar::setText(const QString& text)
{
    m_text = text;
    update();
    // Screen readers announce the bar's text by its name, each time it is set.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
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
    // The text over the filled part is drawn in the highlighted-text colour:
    // where that is too faint on the fill, black or white takes its place.
    const QColor fill = option.palette.color(QPalette::Highlight);
    option.palette.setColor(QPalette::HighlightedText,
                            readableOn(fill, option.palette.color(QPalette::HighlightedText), ReadableTextRatio));
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
}
