#include "settings/qt/SettingsLocation.h"

// ~/.config/<application>/<section>.conf with a group named after the section.
std::unique_ptr<QSettings> openNativeSettings(const QString& application, const QString& section)
{
    auto settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, application, section);
    settings->beginGroup(section);
    return settings;
}
