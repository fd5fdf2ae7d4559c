#include "settings/qt/SettingsLocation.h"

// ~/.config/<application>/<section>.conf, an INI file (the native format here),
// with a group named after the section.
std::unique_ptr<QSettings> openNativeSettings(const QString& application, const QString& section)
{
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, application, section);
    settings->beginGroup(section);
    return settings;
}
