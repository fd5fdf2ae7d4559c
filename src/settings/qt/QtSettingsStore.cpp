#include "settings/qt/QtSettingsStore.h"

#include <QDebug>

#include "settings/qt/SettingsLocation.h"

namespace {

std::unique_ptr<QSettings> open(const QString& iniFile, const std::string& application, const std::string& section)
{
    const QString app = QString::fromStdString(application);
    const QString sec = QString::fromStdString(section);
    if (iniFile.isEmpty())
        return openNativeSettings(app, sec);
    auto settings = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    settings->beginGroup(app + "/" + sec);
    return settings;
}

}  // namespace

QtSettingsStore::QtSettingsStore(QString iniFile) : m_iniFile(std::move(iniFile)) {}

std::string QtSettingsStore::GetSetting(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& defaultValue)
{
    const auto settings = open(m_iniFile, application, section);
    const QVariant value = settings->value(QString::fromStdString(key));
    if (!value.isValid())
        return defaultValue;
    return value.toString().toStdString();
}

void QtSettingsStore::SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                                  const std::string& value)
{
    const auto settings = open(m_iniFile, application, section);
    settings->setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings->sync();
    if (settings->status() != QSettings::NoError)
        qWarning("Plotvane: the setting %s could not be stored in %s", key.c_str(),
                 qUtf8Printable(settings->fileName()));
}

QString QtSettingsStore::location(const std::string& application, const std::string& section) const
{
    return open(m_iniFile, application, section)->fileName();
}
