#include "printing/qt/QtPrintView.h"

#include <QComboBox>

#include "printing/qt/ProgressBar.h"

namespace {
std::string selectedText(const QComboBox& combo)
{
    return combo.currentIndex() < 0 ? std::string() : combo.currentText().toStdString();
}
}  // namespace

QtPrintView::QtPrintView(ProgressBar& progressBar, QComboBox& printers, QComboBox& pauses)
    : m_progressBar(progressBar), m_printers(printers), m_pauses(pauses)
{
}

void QtPrintView::setProgressValue(double percent)
{
    m_progressBar.setValue(percent);
}

void QtPrintView::setProgressText(const std::string& text)
{
    m_progressBar.setText(QString::fromStdString(text));
}

std::string QtPrintView::printerText() const
{
    return selectedText(m_printers);
}

std::string QtPrintView::pauseText() const
{
    return selectedText(m_pauses);
}
