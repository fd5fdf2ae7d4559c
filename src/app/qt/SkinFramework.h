#pragma once

#include <QObject>
#include <QString>

#include "app/SkinComponent.h"

// SkinFramework1: our skin component. A skin file is a Qt style sheet; applying
// it to a window styles that window and every control and box it owns. The
// option word and the options 5 and 10 are kept for the window to read back;
// a style-sheet skin always reaches the boxes and later windows that the
// window owns, which is what those switches ask for.
class SkinFramework final : public QObject, public SkinComponent {
    Q_OBJECT
public:
    explicit SkinFramework(QObject* parent = nullptr);

    void loadSkin(const std::string& path, const std::string& section) override;
    std::int32_t applicationOptions() override { return m_options; }
    void setApplicationOptions(std::int32_t options) override { m_options = options; }
    void setOption(int dispatchId, bool on) override;
    void applyWindow(std::intptr_t windowHandle) override;

    const QString& styleSheet() const { return m_styleSheet; }
    bool option(int dispatchId) const { return m_switches[dispatchId == 5 ? 0 : 1]; }

private:
    QString m_styleSheet;
    std::int32_t m_options = 0;
    bool m_switches[2] = {false, false};
};
