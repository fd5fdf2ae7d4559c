#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "settings/qt/QtSettingsStore.h"

class TestSettingsStore final : public QObject {
    Q_OBJECT
private slots:
    void valuesComeBackExactly_data();
    void valuesComeBackExactly();
    void missingKeysGiveTheDefaultAndCreateNothing();
    void everyWriteIsOnDiskAtOnce();
    void anUnwritableStoreLosesTheValueNotTheProgram();
    void theProgramsOwnStoreLivesInTheUsersConfiguration();
};

void TestSettingsStore::valuesComeBackExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("position") << "5";
    QTest::newRow("none") << "-1";
    QTest::newRow("empty") << "";
    QTest::newRow("folder") << "/home/user/Plans, 2021";
    QTest::newRow("windows folder") << "C:\\Plans\\2021";
    QTest::newRow("letters") << "Zeichnungen für Käthe | 製図";
    QTest::newRow("scrambled bytes") << QString::fromUtf8("\x01\x7f\xc2\x80\xc3\xbf=;#[x]");
}

void TestSettingsStore::valuesComeBackExactly()
{
    QFETCH(QString, value);
    QTemporaryDir folder;
    QtSettingsStore store(folder.filePath("Plotvane.conf"));
    store.SaveSetting("Tarnwell", "Plotvane", "LastFolder", value.toStdString());
    QCOMPARE(QString::fromStdString(store.GetSetting("Tarnwell", "Plotvane", "LastFolder", "x")), value);
    QtSettingsStore reopened(folder.filePath("Plotvane.conf"));
    QCOMPARE(QString::fromStdString(reopened.GetSetting("Tarnwell", "Plotvane", "LastFolder", "x")), value);
}

void TestSettingsStore::missingKeysGiveTheDefaultAndCreateNothing()
{
    QTemporaryDir folder;
    const QString file = folder.filePath("Plotvane.conf");
    QtSettingsStore store(file);
    QCOMPARE(store.GetSetting("Tarnwell", "Plotvane", "Combo2", "5"), std::string("5"));
    QCOMPARE(store.GetSetting("Tarnwell", "Plotvane", "Extension", "vsd"), std::string("vsd"));
    QVERIFY(!QFile::exists(file));
    store.SaveSetting("Tarnwell", "Plotvane", "Combo1", "2");
    QCOMPARE(store.GetSetting("Tarnwell", "Other", "Combo1", ""), std::string());
}

void TestSettingsStore::everyWriteIsOnDiskAtOnce()
{
    QTemporaryDir folder;
    const QString file = folder.filePath("Plotvane.conf");
    QtSettingsStore store(file);
    store.SaveSetting("Tarnwell", "Plotvane", "Combo2", "7");
    QFile onDisk(file);
    QVERIFY(onDisk.open(QIODevice::ReadOnly));
    const QByteArray text = onDisk.readAll();
    QVERIFY2(text.contains("Combo2=7"), text.constData());
}

void TestSettingsStore::anUnwritableStoreLosesTheValueNotTheProgram()
{
    QTemporaryDir folder;
    const QString file = folder.filePath("Plotvane.conf");
    {
        QtSettingsStore store(file);
        store.SaveSetting("Tarnwell", "Plotvane", "Combo2", "3");
    }
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QtSettingsStore store(file);
    store.SaveSetting("Tarnwell", "Plotvane", "Combo2", "4");
    QVERIFY(!store.GetSetting("Tarnwell", "Plotvane", "Combo2", "").empty());
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // A settings file that cannot be read gives the defaults.
    QtSettingsStore unreadable(folder.filePath("missing-folder/and/file.conf"));
    QCOMPARE(unreadable.GetSetting("Tarnwell", "Plotvane", "Combo2", "5"), std::string("5"));
    unreadable.SaveSetting("Tarnwell", "Plotvane", "Combo2", "1");
}

void TestSettingsStore::theProgramsOwnStoreLivesInTheUsersConfiguration()
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QtSettingsStore store;
    store.SaveSetting("Tarnwell", "Plotvane", "Extension", "*");
    const QString expected = home.filePath("Tarnwell/Plotvane.conf");
    QCOMPARE(store.location("Tarnwell", "Plotvane"), expected);
    QVERIFY(QFile::exists(expected));
    QCOMPARE(store.GetSetting("Tarnwell", "Plotvane", "Extension", "vsd"), std::string("*"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
