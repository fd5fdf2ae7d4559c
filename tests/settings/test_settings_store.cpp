#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include "base/Failure.h"
#include "fakes/FakePump.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakePointer.h"
#include "fakes/MemoryFileSystem.h"
#include "filelist/AddFolderCommand.h"
#include "settings/qt/QtSettingsStore.h"
#include "support/AsOrdinaryUser.h"
#include "support/FailureOf.h"
#include "support/TempTree.h"

class TestSettingsStore final : public QObject {
    Q_OBJECT
private slots:
    void valuesComeBackExactly_data();
    void valuesComeBackExactly();
    void missingKeysGiveTheDefaultAndCreateNothing();
    void everyWriteIsOnDiskAtOnce();
    void anUnwritableStoreFailsWithItsFileAndReason();
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
    const TempTree tree;
    const QDir folder(QString::fromStdString(tree.root()));
    QtSettingsStore store(folder.filePath("Plotvane.conf"));
    store.write(Setting::ScanFolder, value.toStdString());
    QCOMPARE(QString::fromStdString(store.read(Setting::ScanFolder, "x")), value);
    QtSettingsStore reopened(folder.filePath("Plotvane.conf"));
    QCOMPARE(QString::fromStdString(reopened.read(Setting::ScanFolder, "x")), value);
}

void TestSettingsStore::missingKeysGiveTheDefaultAndCreateNothing()
{
    const TempTree tree;
    const QDir folder(QString::fromStdString(tree.root()));
    const QString file = folder.filePath("Plotvane.conf");
    QtSettingsStore store(file);
    QCOMPARE(store.read(Setting::PausePosition, "5"), std::string("5"));
    QCOMPARE(store.read(Setting::ScanExtension, "vsd"), std::string("vsd"));
    QVERIFY(!QFile::exists(file));
}

void TestSettingsStore::everyWriteIsOnDiskAtOnce()
{
    const TempTree tree;
    const QDir folder(QString::fromStdString(tree.root()));
    const QString file = folder.filePath("Plotvane.conf");
    QtSettingsStore store(file);
    store.write(Setting::PausePosition, "7");
    QFile onDisk(file);
    QVERIFY(onDisk.open(QIODevice::ReadOnly));
    const QByteArray text = onDisk.readAll();
    QVERIFY2(text.contains("Combo2=7"), text.constData());
}

void TestSettingsStore::anUnwritableStoreFailsWithItsFileAndReason()
{
    const TempTree tree;
    const QDir folder(QString::fromStdString(tree.root()));
    const QString file = folder.filePath("Plotvane.conf");
    QtSettingsStore(file).write(Setting::PausePosition, "3");
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto exe = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(file, readOnly));
    QVERIFY(QFile::setPermissions(folder.path(), readOnly | exe));
    std::string failure;
    FakeDialogs dialogs;
    {
        AsOrdinaryUser user;
        QVERIFY2(user.works(), "the test cannot lose the right to write everywhere");
        QtSettingsStore store(file);
        failure = portable_test::failureOf([&] { store.write(Setting::PausePosition, "4"); });
        // A folder scan stores its two answers inside trapped steps: each
        // failure is reported at its step, and the scan goes on.
        MemoryFileSystem disk;
        disk.addFolder(R"(C:\Plans)");
        disk.addFile(R"(C:\Plans\a.vsd)");
        FakePointer pointer;
        FakeLifetime lifetime;
        FakePump pump;
        FakeListItems list;
        dialogs.promptAnswers = {"vsd"};
        dialogs.browseAnswers = {R"(C:\Plans)"};
        AddFolderCommand(dialogs, store, disk, pointer, lifetime, pump, list).addFolder();
        QCOMPARE(list.entries, std::vector<std::string>{R"(C:\Plans\a.vsd)"});
    }
    QFile::setPermissions(folder.path(), readOnly | exe | QFileDevice::WriteOwner);
    const std::string reason = " could not be stored in " + file.toStdString() + ": Permission denied";
    QCOMPARE(failure, "The setting Combo2" + reason);
    QCOMPARE(dialogs.reportedLines(), (std::vector<int>{104, 118}));
    QVERIFY(dialogs.texts()[0].rfind("The setting Extension" + reason + "\r\n", 0) == 0);
    QVERIFY(dialogs.texts()[1].rfind("The setting LastFolder" + reason + "\r\n", 0) == 0);
    QFile onDisk(file);
    QVERIFY(onDisk.open(QIODevice::ReadOnly));
    QVERIFY(onDisk.readAll().contains("Combo2=3"));
}

void TestSettingsStore::theProgramsOwnStoreLivesInTheUsersConfiguration()
{
    const TempTree tree;
    const QDir home(QString::fromStdString(tree.root()));
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QtSettingsStore store;
    store.write(Setting::ScanExtension, "*");
    const QString expected = home.filePath("Tarnwell/Plotvane.conf");
    QCOMPARE(QString::fromStdString(store.location()), expected);
    QVERIFY(QFile::exists(expected));
    QCOMPARE(store.read(Setting::ScanExtension, "vsd"), std::string("*"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
