#pragma once

#include <string>
#include <vector>

#include "printing/PrintView.h"

// The progress bar and the two selectors as a print run sees them: the
// selectors' texts are set by the test, every bar value and text is recorded.
class FakePrintView final : public PrintView {
public:
    FakePrintView() = default;
    FakePrintView(std::string printerName, std::string pauseEntry)
        : printer(std::move(printerName)), pause(std::move(pauseEntry))
    {
    }
    void setProgressValue(double percent) override { values.push_back(percent); }
    void setProgressText(const std::string& text) override { texts.push_back(text); }
    std::string printerText() const override { return printer; }
    std::string pauseText() const override { return pause; }

    std::string printer = "Plotter_A";
    std::string pause = "5 seconds";
    std::vector<double> values;
    std::vector<std::string> texts;
};
