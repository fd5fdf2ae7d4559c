#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// Opens the platform's own store for one application and section, positioned
// in the group that holds the section's keys.
std::unique_ptr<QSettings> openNativeSettings(const QString& application, const QString& section);
