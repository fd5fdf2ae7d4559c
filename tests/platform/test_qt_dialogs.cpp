#include <QtTest>

#include "platform/qt/QtDialogs.h"

// Boxes show every carriage return as a line break; the text stays as built.
class TestQtDialogs final : public QObject {
    Q_OBJECT
private slots:
    void carriageReturnsBreakLines_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("shown");
        QTest::newRow("report") << "Overflow\r\nin X at line 108\r\rPlease email"
                                << "Overflow\nin X at line 108\n\nPlease email";
        QTest::newRow("question") << "A\r\n\r\nB"
                                  << "A\n\nB";
        QTest::newRow("prompt") << "Enter:\r\r(*)"
                                << "Enter:\n\n(*)";
        QTest::newRow("plain") << "Done."
                               << "Done.";
    }
    void carriageReturnsBreakLines()
    {
        QFETCH(QString, built);
        QFETCH(QString, shown);
        QCOMPARE(QtDialogs::displayText(built.toStdString()), shown);
    }
};

QTEST_GUILESS_MAIN(TestQtDialogs)
#include "test_qt_dialogs.moc"
