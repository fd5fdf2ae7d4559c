#pragma once

#include <string>

// What the print run reads from and shows on the main window: the progress
// bar, and the texts of the printer and pause selectors.
class PrintView {
public:
    virtual ~PrintView() = default;
    // Percentage 0 to 100.
    virtual void setProgressValue(double percent) = 0;
    virtual void setProgressText(const std::string& text) = 0;
    // The selected printer's name; empty when none is selected.
    virtual std::string printerText() const = 0;
    // The selected pause entry ("5 seconds"); empty when none is selected.
    virtual std::string pauseText() const = 0;
};
