#pragma once

#include "printing/Selector.h"

class QComboBox;

// A drop-down list of the main window as the printing options see it.
class QtSelector final : public Selector {
public:
    explicit QtSelector(QComboBox& combo);

    void clear() override;
    void addItem(const std::string& text) override;
    int count() const override;
    void select(int index) override;
    int currentIndex() const override;
    std::string text() const override;

private:
    QComboBox& m_combo;
};
