#include "printing/qt/QtPrintView.h"

#include "printing/qt/ProgressBar.h"

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
    return m_printers.text();
}

std::string QtPrintView::pauseText() const
{
    return m_pauses.text();
}
