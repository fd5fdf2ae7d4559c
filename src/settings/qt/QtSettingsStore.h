#pragma once

#include <QString>

#include "settings/SettingsStore.h"

// The settings store over QSettings. On Windows the values live in the current
// user's registry area for program settings; elsewhere in a per-user INI file
// at the platform's configuration location, one file per application and one
// group per section. Every write is put on disk at once.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore() = default;
    // Keeps every value in the given INI file instead (tests, portable use).
    explicit QtSettingsStore(QString iniFile);

    std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override;

    // Where the values of application/section are kept, for the user to see.
    QString location(const std::string& application, const std::string& section) const;

private:
    QString m_iniFile;
};
