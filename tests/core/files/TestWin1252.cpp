// Windows-1252 text of the files and the decoding of foreign text.
#include "TTestRegistry.h"
#include "TWin1252.h"
#include "TestHelpers.h"

class TestWin1252 : public QObject {
    Q_OBJECT

private slots:
    void roundTripsUnitsAndAccents()
    {
        const QString units = QString::fromUtf8("µmol/L");
        QCOMPARE(ToWin1252(units), QByteArray("\xB5mol/L"));
        QCOMPARE(ToWin1252(units).size(), 6); // fits the 6-character unit field
        QCOMPARE(FromWin1252(ToWin1252(units)), units);
        const QString accented = QString::fromUtf8("é");
        QCOMPARE(ToWin1252(accented), QByteArray("\xE9"));
        QCOMPARE(FromWin1252(QByteArray("\xE9")), accented);
    }

    void mapsTheHighControlRange()
    {
        QCOMPARE(FromWin1252(QByteArray("\x80\x99\x9C")), QString::fromUtf8("€™œ"));
        QCOMPARE(ToWin1252(QString::fromUtf8("€‰Ÿ")), QByteArray("\x80\x89\x9F"));
        // Undefined positions pass through as the control of the same number.
        QCOMPARE(FromWin1252(QByteArray("\x81")).at(0).unicode(), char16_t(0x81));
        QCOMPARE(ToWin1252(QString(QChar(0x81))), QByteArray("\x81"));
        // A character outside the code page becomes '?'.
        QCOMPARE(ToWin1252(QString::fromUtf8("α")), QByteArray("?"));
    }

    void decodesForeignTextByItsEncoding()
    {
        QCOMPARE(DecodeForeignText(QByteArray("\xEF\xBB\xBFr\xC3\xA9sultat")), QString::fromUtf8("résultat"));
        QCOMPARE(DecodeForeignText(QByteArray("r\xC3\xA9sultat")), QString::fromUtf8("résultat"));
        // Not valid UTF-8: read as Windows-1252.
        QCOMPARE(DecodeForeignText(QByteArray("r\xE9sultat \xB5mol")), QString::fromUtf8("résultat µmol"));
    }
};

VANTOREL_TEST(TestWin1252)
#include "TestWin1252.moc"
