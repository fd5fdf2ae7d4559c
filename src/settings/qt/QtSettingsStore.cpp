#include "settings/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "base/Failure.h"
#include "settings/qt/SettingsLocation.h"

namespace {

std::unique_ptr<QSettings> open(const QString& iniFile)
{
    const QString application = QString::fromLatin1(SettingsAddress::Application);
    const QString section = QString::fromLatin1(SettingsAddress::Section);
    if (iniFile.isEmpty())
        return openNativeSettings(application, section);
    auto settings = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    settings->beginGroup(application + "/" + section);
    return settings;
}

// Why a settings file cannot be written, in the system's words: its folder is
// made where missing, and a replacement of the file is written in full and
// thrown away, as the store itself would write it.
QString whyUnwritable(const QString& file, QSettings::Status status)
{
    if (status == QSettings::FormatError)
        return QStringLiteral("its contents cannot be read");
    const QFileInfo info(file);
    if (!info.isAbsolute())
        return QStringLiteral("access denied");  // a registry key
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("its folder %1 cannot be made").arg(info.absolutePath());
    QByteArray content;
    QFile current(file);
    if (current.exists() && !current.open(QIODevice::ReadOnly))
        return current.errorString();
    content = current.readAll();
    QSaveFile probe(file);
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    if (probe.write(content) != content.size() || !probe.flush())
        return probe.errorString();
    probe.cancelWriting();
    return QStringLiteral("access denied");
}

}  // namespace

QtSettingsStore::QtSettingsStore(QString iniFile) : m_iniFile(std::move(iniFile)) {}

std::string QtSettingsStore::read(Setting setting, const std::string& fallback)
{
    const auto settings = open(m_iniFile);
    const QVariant value = settings->value(QString::fromLatin1(keyOf(setting)));
    if (!value.isValid())
        return fallback;
    return value.toString().toStdString();
}

void QtSettingsStore::write(Setting setting, const std::string& value)
{
    const auto settings = open(m_iniFile);
    settings->setValue(QString::fromLatin1(keyOf(setting)), QString::fromStdString(value));
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        const QString file = settings->fileName();
        throw Failure("The setting " + std::string(keyOf(setting)) + " could not be stored in " + file.toStdString()
                      + ": " + whyUnwritable(file, settings->status()).toStdString());
    }
}

std::string QtSettingsStore::location() const
{
    return open(m_iniFile)->fileName().toStdString();
}
