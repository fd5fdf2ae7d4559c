#include "settings/qt/SettingsLocation.h"

// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// where choices stored by earlier versions already live.
std::unique_ptr<QSettings> openNativeSettings(const QString& application, const QString& section)
{
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\")
                                           + application + "\\" + section,
                                       QSettings::NativeFormat);
}
