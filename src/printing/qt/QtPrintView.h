#pragma once

#include "printing/PrintView.h"
#include "printing/qt/QtSelector.h"

class ProgressBar;

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
    QtSelector m_printers;
    QtSelector m_pauses;
};
