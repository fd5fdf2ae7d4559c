#pragma once

#include "printing/PrintView.h"

class ProgressBar;
class QComboBox;

// The main window's progress bar and selectors as the print run sees them.
class QtPrintView final : public PrintView {
public:
    QtPrintView(ProgressBar& progressBar, QComboBox& printers, QComboBox& pauses);

    void setProgressValue(double percent) override;
    void setProgressText(const std::string& text) override;
    std::string printerText() const override;
    std::string pauseText() const override;

private:
    ProgressBar& m_progressBar;
    QComboBox& m_printers;
    QComboBox& m_pauses;
};
