#include "printing/qt/QtSelector.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "base/Failure.h"

QtSelector::QtSelector(QComboBox& combo) : m_combo(combo) {}

void QtSelector::clear()
{
    m_combo.clear();
}

void QtSelector::addItem(const std::string& text)
{
    // Adding to an empty list must not select the new entry: the choice is
    // made only by the restore or by the user, and each selection is saved.
    const QSignalBlocker quiet(m_combo);
    const int selected = m_combo.currentIndex();
    m_combo.addItem(QString::fromStdString(text));
    m_combo.setCurrentIndex(selected);
}

int QtSelector::count() const
{
    return m_combo.count();
}

void QtSelector::select(int index)
{
    if (index < -1 || index >= m_combo.count())
        throw Failure("Invalid property value");
    m_combo.setCurrentIndex(index);
}

int QtSelector::currentIndex() const
{
    return m_combo.currentIndex();
}

std::string QtSelector::text() const
{
    return m_combo.currentIndex() < 0 ? std::string() : m_combo.currentText().toStdString();
}
