#include "TAnalyte.h"
#include "TDates.h"
#include "TExtended.h"
#include "TFormat.h"
#include "TQCText.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWin1252.h"
#include "TestHelpers.h"

#include <QTemporaryDir>
#include <limits>

namespace {

// 2026-03-15 as a day count; the days of the tests are counted from it.
double Day0() { return DateToDayCount(QDate(2026, 3, 15)); }
QString Date(int offset) { return ShortDateText(Day0() + offset); }

// A data line as a spreadsheet or the copy writes it, with its line end.
QString Line(int dayOffset, const QString& time, const QStringList& levels)
{
    return Date(dayOffset) + '\t' + time + '\t' + levels.join('\t') + "\r\n";
}

// The lines read: date and time, then each level's value or "-"; anything else the result holds in brackets.
QString Summary(const QList<TQCTextLine>& lines)
{
    QStringList all;
    for (const TQCTextLine& line : lines) {
        QString one = DayCountToDateTime(line.Result.DateTime).toString("yyyy-MM-dd HH:mm:ss");
        for (const TQCValue& cell : line.Result.Values)
            one += cell.Status == psNoValue ? QString(" -") : " " + QString::number(cell.Value);
        const QString rest = line.Result.Operator + line.Result.Comment + line.Result.Analyte;
        all << (rest.isEmpty() ? one : one + " [" + rest + "]");
    }
    return all.join(" | ");
}

QString Dec(const QString& text) { return QString(text).replace('.', DecimalSeparator()); }

QByteArray Bytes(double value)
{
    unsigned char b[ExtendedSize];
    DoubleToExtended(value, b);
    return QByteArray(reinterpret_cast<const char*>(b), ExtendedSize);
}

double Back(const QByteArray& bytes)
{
    return ExtendedToDouble(reinterpret_cast<const unsigned char*>(bytes.constData()));
}

} // namespace

class TestQCText : public QObject {
    Q_OBJECT

private slots:
    void readsTheLinesThatHoldANumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");
        const QString a = Line(0, "08:00:00", { "1.5" }), b = Line(1, "09:00:00", { "2.5" });
        const QString ab = "2026-03-15 08:00:00 1.5 - - | 2026-03-16 09:00:00 2.5 - -";
        QString y26 = Date(0), y99 = ShortDateText(DateToDayCount(QDate(1999, 3, 15)));
        const auto at10 = [](const QStringList& levels) { return Line(0, "10:00:00", levels); };
        // clang-format off
        QTest::newRow("CR LF") << a + b << ab;
        QTest::newRow("lone CR") << QString(a + b).replace("\r\n", "\r") << ab;
        QTest::newRow("lone LF") << QString(a + b).replace("\r\n", "\n") << ab;
        QTest::newRow("empty lines between") << a + "\r\n\r\n" + b << ab;
        QTest::newRow("empty text") << QString() << QString();
        QTest::newRow("last line without its end") << a + b.trimmed() << "2026-03-15 08:00:00 1.5 - -";
        QTest::newRow("heading line") << "Date\tTime\tQC1\tQC2\r\n" + Line(0, "08:00:00", { "4.2", "7.1" }) << "2026-03-15 08:00:00 4.2 7.1 -";
        QTest::newRow("no time gives noon") << Line(2, "morning", { "3" }) + Line(3, "", { "4" }) << "2026-03-17 12:00:00 3 - - | 2026-03-18 12:00:00 4 - -";
        QTest::newRow("date alone") << Date(4) + "\r\n" << QString();
        QTest::newRow("time without seconds") << Line(5, "9:30", { "5" }) << "2026-03-20 09:30:00 5 - -";
        QTest::newRow("three numbers") << at10({ "1.25", "2.5", "-3" }) << "2026-03-15 10:00:00 1.25 2.5 -3";
        QTest::newRow("comma separator") << at10({ "1,25", " 2.5 ", "3" }) << "2026-03-15 10:00:00 1.25 2.5 3";
        QTest::newRow("Discarded and text") << at10({ "Discarded", "7", "n/a" }) << "2026-03-15 10:00:00 - 7 -";
        QTest::newRow("empty fields") << at10({ "", "", "9" }) << "2026-03-15 10:00:00 - - 9";
        QTest::newRow("operator and comment ignored") << at10({ "1", "2", "3", "ABC", "Calibrated" }) << "2026-03-15 10:00:00 1 2 3";
        QTest::newRow("sixth field never a level") << at10({ "", "", "", "8" }) << QString();
        QTest::newRow("two separators") << at10({ "1.2.3", "4" }) << "2026-03-15 10:00:00 - 4 -";
        QTest::newRow("no number") << at10({ "Discarded", "", "x" }) + Date(1) + "\t10:00:00\r\n" << QString();
        QTest::newRow("short years around 2000") << y26.replace("2026", "26") + "\t08:00:00\t1\r\n" + y99.replace("1999", "99") + "\t08:00:00\t1\r\n" << "2026-03-15 08:00:00 1 - - | 1999-03-15 08:00:00 1 - -";
        // clang-format on
    }
    void readsTheLinesThatHoldANumber()
    {
        QFETCH(QString, text);
        QTEST(Summary(ReadQCText(text, 1)), "lines");
    }

    void displayLineShowsAtMostFiveFields()
    {
        const QList<TQCTextLine> lines = ReadQCText(
            Line(0, "07:05:09", { "1.26", "Discarded", "3", "OP", "note" }) + Line(1, "?", { "12.345" }), 1);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].Display,
            Date(0) + "\t" + LongTimeText(Day0() + (7 * 3600 + 5 * 60 + 9) / 86400.0) + "\t" + Dec("1.3") + "\t\t"
                + Dec("3.0"));
        QCOMPARE(lines[1].Display, Date(1) + "\t" + LongTimeText(Day0() + 1.5) + "\t" + Dec("12.3"));
    }

    void textFilesAreDecodedByTheirEncoding()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("in.txt");
        QString text, error;
        // Windows-1252: 0xF4 and 0xB5 are not valid UTF-8.
        QVERIFY(PutFile(name, "Contr\xF4le\t\xB5mol/L\r\n") && ReadQCTextFile(name, text, &error));
        QCOMPARE(text, QString::fromUtf8("Contr\u00f4le\t\u00b5mol/L\r\n"));
        // UTF-8 with its mark right before the first date; a zero byte ends the text.
        const QString first
            = Line(0, "08:00:00", { "3" }).trimmed() + QString::fromUtf8("\tAB\t\u00b5 r\u00e9actif\r\n");
        const QByteArray bytes
            = "\xEF\xBB\xBF" + first.toUtf8() + QByteArray(1, '\0') + Line(1, "08:00", { "4" }).toUtf8();
        QVERIFY(PutFile(name, bytes) && ReadQCTextFile(name, text, &error));
        QCOMPARE(text, first);
        QCOMPARE(DecodeQCTextBytes(bytes), text);
        QCOMPARE(Summary(ReadQCText(text, 0)), "2026-03-15 08:00:00 3 - -");
        text = "unchanged";
        QVERIFY(!ReadQCTextFile(dir.filePath("none.txt"), text, &error));
        QVERIFY2(error.startsWith("Cannot open") && text == "unchanged", qPrintable(error));
    }

    void fileNamesAndTheExport()
    {
        QStringList chosen;
        for (const char* name : { "/lab/QCDATA.DAT", "/lab/old.sav", "/lab/old.Dat", "/lab/olddat", "/lab/export.txt",
                 "/lab/Vantorel.qcf", "/lab/old.data", "at" })
            if (IsVersion2FileName(name))
                chosen << name;
        QCOMPARE(chosen, QStringList({ "/lab/QCDATA.DAT", "/lab/old.sav", "/lab/old.Dat", "/lab/olddat" }));
        // The export replaces a file whole, or keeps it when it cannot be written.
        QTemporaryDir dir;
        const QString name = dir.filePath("export.txt");
        QVERIFY(PutFile(name, QByteArray(5000, 'Z')));
        QString error;
        QVERIFY2(
            WriteQCTextFile(name, QString::fromUtf8("15/03/2026\t1.5\tAB\t\u00b5\r\n"), &error), qPrintable(error));
        const QByteArray written = QByteArray("15/03/2026\t1.5\tAB\t\xB5\r\n") + '\0';
        QCOMPARE(FileContent(name), written);
        // A file standing where a folder should be: nothing can be created below it.
        QVERIFY(!WriteQCTextFile(name + "/export.txt", "x\r\n", &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(FileContent(name), written);
    }

    void addedResultsLandInDateOrderAndEveryLevelTurnsMobile()
    {
        TAnalyte analyte("Glucose", "mmol/L", 1, 3);
        for (int i = 0; i < 10; ++i)
            analyte.AddPoint(
                MakeResult(Day0() - 20 + i + 0.5, 5.0 + 0.1 * (i % 3), 10.0 + 0.2 * (i % 2), 1 + 0.01 * i));
        analyte.LimitMode[1] = lmFixed;
        SetLocked(analyte, 0, 2, 6);
        analyte.ReferenceStats[1].Mean = 11;
        RecomputeAll(analyte, TRisks());
        ClassifyAll(analyte);
        QCOMPARE(analyte.Point(0).Values[1].Status, quint8(psLowAction));
        // A line without a time lands at noon, after the point already there.
        const QList<TQCTextLine> lines = ReadQCText(Line(-15, "?", { "5.1", "10.1" }), 1);
        AddImportedResults(analyte, { lines[0].Result }, TRisks());
        QCOMPARE(analyte.Count(), 11);
        QCOMPARE(analyte.Point(6).Values[1].Value, 10.1f);
        QCOMPARE(analyte.LimitMode, (std::array<quint8, 3> { lmMobile, lmMobile, lmMobile }));
        // Mobile limits from all eleven points, and the points classified against them.
        QCOMPARE(analyte.ReferenceStats[1].N, 11);
        QCOMPARE(analyte.Point(0).Values[1].Status, quint8(psWithin));
        TAnalyte empty("Calcium", "mmol/L", 2, 2);
        empty.LimitMode = { lmFixed, lmLocked, lmFixed };
        AddImportedResults(empty, {}, TRisks());
        QCOMPARE(empty.LimitMode, (std::array<quint8, 3> { lmMobile, lmMobile, lmMobile }));
    }

    void encodingsOfTheFiles()
    {
        // 1.0: mantissa 0x8000000000000000, exponent 0x3FFF; -2.0: exponent 0x4000 with the sign
        // bit; 42 = 1.3125 x 2^5: mantissa 0xA8 << 56, exponent 0x4004.
        QCOMPARE(Bytes(1.0).toHex(), QByteArray("0000000000000080ff3f"));
        QCOMPARE(Bytes(-2.0).toHex(), QByteArray("000000000000008000c0"));
        QCOMPARE(Bytes(0.0).toHex(), QByteArray("00000000000000000000"));
        QCOMPARE(Bytes(42.0).toHex(), QByteArray("00000000000000a80440"));
        for (double v : { -12.75, 1e-10, 1.0 / 3.0, std::numeric_limits<double>::max(),
                 std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min() })
            QVERIFY2(Back(Bytes(v)) == v, qPrintable(QString::number(v, 'g', 17))); // exactly
#if defined(__x86_64__) || defined(__i386__)
        // Reading rounds the 64-bit mantissa of the processor's own format to the nearest double.
        const long double third = 1.0L / 3.0L;
        QVERIFY(Back(QByteArray(reinterpret_cast<const char*>(&third), ExtendedSize)) == double(third));
#endif
        QVERIFY(std::isinf(Back(Bytes(std::numeric_limits<double>::infinity()))));
        QVERIFY(std::isnan(Back(Bytes(std::numeric_limits<double>::quiet_NaN()))));
        // Beyond the double range: infinity; below it: zero; an unnormal (integer bit clear) is read as it stands.
        QVERIFY(std::isinf(Back(QByteArray::fromHex("0000000000000080fe7f"))));
        QCOMPARE(Back(QByteArray::fromHex("00000000000000800100")), 0.0);
        QCOMPARE(Back(QByteArray::fromHex("0000000000000040ff3f")), 0.5);
        // Halfway between two doubles: to the even one (1 + 2^-53 to 1, 1 + 3 x 2^-53 to 1 + 2^-51).
        QVERIFY(Back(QByteArray::fromHex("0004000000000080ff3f")) == 1.0);
        QVERIFY(Back(QByteArray::fromHex("000c000000000080ff3f")) == 1 + std::ldexp(1.0, -51));
        // Windows-1252 beyond Latin-1 (the golden files carry the Latin-1 part): undefined positions
        // pass through as the control of the same number; other characters become '?'.
        QCOMPARE(FromWin1252(QByteArray("\x80\x99\x9C")), QString::fromUtf8("\u20ac\u2122\u0153"));
        QCOMPARE(ToWin1252(QString::fromUtf8("\u20ac\u2030\u0178")), QByteArray("\x80\x89\x9F"));
        QCOMPARE(FromWin1252(QByteArray("\x81")), QString(QChar(0x81)));
        QCOMPARE(ToWin1252(QString(QChar(0x81)) + QString::fromUtf8("\u03b1")), QByteArray("\x81?"));
    }
};

VANTOREL_TEST(TestQCText)
#include "TestQCText.moc"
