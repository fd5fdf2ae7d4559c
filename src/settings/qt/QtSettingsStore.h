#pragma once

#include <QString>

#include "settings/SettingsStore.h"

// The settings store over QSettings. On Windows the values live in the current
// user's registry area for program settings; elsewhere in a per-user INI file
// at the platform's configuration location, one group for the program's
// section. Every write is put on disk at once.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore() = default;
    // Keeps every value in the given INI file instead (tests, portable use).
    explicit QtSettingsStore(QString iniFile);

    std::string read(Setting setting, const std::string& fallback) override;
    void write(Setting setting, const std::string& value) override;
    std::string location() const override;

private:
    QString m_iniFile;
};
