#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"
#include "TQCText.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// 2026-03-15 as a day count; the days of the tests are counted from it.
double Day0() { return DateToDayCount(QDate(2026, 3, 15)); }

QString Date(int offset) { return ShortDateText(Day0() + offset); }

// A data line as a spreadsheet or the copy writes it, without its line end.
QString Line(int dayOffset, const QString& time, const QStringList& levels)
{
    return QStringList({ Date(dayOffset), time }).join('\t') + '\t' + levels.join('\t');
}

double At(int dayOffset, int hour, int minute = 0) { return Day0() + dayOffset + (hour * 60 + minute) / 1440.0; }

// Writes bytes to a file and reads it back as the import does.
bool ReadThroughFile(const QByteArray& bytes, QString& text)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("in.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    QString error;
    return ReadQCTextFile(file.fileName(), text, error);
}

QString Dec(const QString& text) { return QString(text).replace('.', DecimalSeparator()); }
}

class TestQCText : public QObject {
    Q_OBJECT

private slots:
    // Line ends
    void lineEnds_data();
    void lineEnds();
    void lastLineWithoutLineEndIsNotRead();
    void headingLineIsSkipped();

    // Fields
    void timeThatIsNotATimeGivesNoon();
    void levelFields_data();
    void levelFields();
    void lineWithoutNumberIsDropped();
    void displayLineShowsAtMostFiveFields();
    void shortYearIsReadAroundTwoThousand();

    // Bytes from files and the clipboard
    void zeroByteEndsTheText();
    void windows1252File();
    void utf8FileWithByteOrderMark();
    void missingFileIsAnError();

    void version2ReaderIsChosenByTheLastThreeLetters_data();
    void version2ReaderIsChosenByTheLastThreeLetters();

    // Export file
    void exportReplacesALongerFile();
    void exportFailureKeepsTheOldFile();

    // Adding
    void addingReturnsEveryLevelToMobile();
    void addingNothingStillResetsModes();
    void addedNoonLineLandsInDateOrder();
};

void TestQCText::lineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    const QString a = Line(0, "08:00:00", { "1.5" });
    const QString b = Line(1, "09:00:00", { "2.5" });
    QTest::newRow("CR LF") << a + "\r\n" + b + "\r\n" << 2;
    QTest::newRow("lone CR") << a + "\r" + b + "\r" << 2;
    QTest::newRow("CR and several LF") << a + "\r\n\n\n" + b + "\r" << 2;
    QTest::newRow("lone LF") << a + "\n" + b + "\n" << 2;
    QTest::newRow("mixed") << a + "\n" + b + "\r\n" << 2;
    QTest::newRow("empty lines between") << a + "\r\n\r\n\r\n" + b + "\r\n" << 2;
    QTest::newRow("empty text") << QString() << 0;
}

void TestQCText::lineEnds()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const QList<TQCTextLine> lines = ReadQCText(text, 1);
    QCOMPARE(lines.size(), expected);
    if (expected == 2) {
        QCOMPARE_NEAR(lines[0].Result.DateTime, At(0, 8), 1e-12);
        QCOMPARE(lines[0].Result.Values[0].Value, 1.5f);
        QCOMPARE_NEAR(lines[1].Result.DateTime, At(1, 9), 1e-12);
        QCOMPARE(lines[1].Result.Values[0].Value, 2.5f);
    }
}

void TestQCText::lastLineWithoutLineEndIsNotRead()
{
    const QString text = Line(0, "08:00:00", { "1" }) + "\r\n" + Line(1, "08:00:00", { "2" });
    const QList<TQCTextLine> lines = ReadQCText(text, 0);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].Result.Values[0].Value, 1.0f);
}

void TestQCText::headingLineIsSkipped()
{
    const QString text = "Date\tTime\tQC1\tQC2\r\n" + Line(0, "08:00:00", { "4.2", "7.1" }) + "\r\n";
    const QList<TQCTextLine> lines = ReadQCText(text, 1);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].Result.Values[1].Value, 7.1f);
}

void TestQCText::timeThatIsNotATimeGivesNoon()
{
    const QString text = Line(2, "morning", { "3" }) + "\r\n" + Line(3, "", { "4" }) + "\r\n" + Date(4) + "\r\n"
        + Line(5, "9:30", { "5" }) + "\r\n";
    const QList<TQCTextLine> lines = ReadQCText(text, 0);
    QCOMPARE(lines.size(), 3);
    QCOMPARE_NEAR(lines[0].Result.DateTime, At(2, 12), 1e-12);
    QCOMPARE(lines[0].Display.section('\t', 1, 1), LongTimeText(At(2, 12)));
    QCOMPARE_NEAR(lines[1].Result.DateTime, At(3, 12), 1e-12);
    // A time without seconds is still a time.
    QCOMPARE_NEAR(lines[2].Result.DateTime, At(5, 9, 30), 1e-12);
}

void TestQCText::levelFields_data()
{
    QTest::addColumn<QStringList>("levels");
    QTest::addColumn<QList<int>>("statuses");
    QTest::addColumn<QList<double>>("values");
    const int w = psWithin, n = psNoValue;
    QTest::newRow("three numbers") << QStringList { "1.25", "2.5", "-3" } << QList<int> { w, w, w }
                                   << QList<double> { 1.25, 2.5, -3 };
    QTest::newRow("comma separator") << QStringList { "1,25", " 2.5 ", "3" } << QList<int> { w, w, w }
                                     << QList<double> { 1.25, 2.5, 3 };
    QTest::newRow("Discarded and text") << QStringList { "Discarded", "7", "n/a" } << QList<int> { n, w, n }
                                        << QList<double> { 0, 7, 0 };
    QTest::newRow("empty field") << QStringList { "", "", "9" } << QList<int> { n, n, w } << QList<double> { 0, 0, 9 };
    QTest::newRow("missing fields") << QStringList { "5" } << QList<int> { w, n, n } << QList<double> { 5, 0, 0 };
    QTest::newRow("operator and comment ignored")
        << QStringList { "1", "2", "3", "ABC", "Calibrated" } << QList<int> { w, w, w } << QList<double> { 1, 2, 3 };
    QTest::newRow("sixth field never a level") << QStringList { "", "", "", "8" } << QList<int> {} << QList<double> {};
    QTest::newRow("two separators") << QStringList { "1.2.3", "4" } << QList<int> { n, w, n }
                                    << QList<double> { 0, 4, 0 };
}

void TestQCText::levelFields()
{
    QFETCH(QStringList, levels);
    QFETCH(QList<int>, statuses);
    QFETCH(QList<double>, values);
    const QList<TQCTextLine> lines = ReadQCText(Line(0, "10:00:00", levels) + "\r\n", 2);
    if (statuses.isEmpty()) {
        QCOMPARE(lines.size(), 0);
        return;
    }
    QCOMPARE(lines.size(), 1);
    const TResu0& r = lines[0].Result;
    for (int l = 0; l < 3; ++l) {
        QCOMPARE(int(r.Values[l].Status), statuses[l]);
        QCOMPARE_NEAR(r.Values[l].Value, values[l], 1e-6);
    }
    QVERIFY(r.Operator.isEmpty());
    QVERIFY(r.Comment.isEmpty());
    QVERIFY(r.Analyte.isEmpty());
}

void TestQCText::lineWithoutNumberIsDropped()
{
    const QString text = Line(0, "10:00:00", { "Discarded", "", "x" }) + "\r\n" + Date(1) + "\t10:00:00\r\n";
    QCOMPARE(ReadQCText(text, 1).size(), 0);
}

void TestQCText::displayLineShowsAtMostFiveFields()
{
    const QString text = Line(0, "07:05:09", { "1.26", "Discarded", "3", "OP", "note" }) + "\r\n"
        + Line(1, "07:05:09", { "12.345" }) + "\r\n";
    const QList<TQCTextLine> lines = ReadQCText(text, 1);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].Display,
        Date(0) + "\t" + LongTimeText(At(0, 7, 5) + 9 / 86400.0) + "\t" + Dec("1.3") + "\t\t" + Dec("3.0"));
    QCOMPARE(lines[1].Display.split('\t').size(), 3);
    QCOMPARE(lines[1].Display.section('\t', 2, 2), Dec("12.3"));
}

void TestQCText::shortYearIsReadAroundTwoThousand()
{
    QString date = Date(0);
    QString date99 = ShortDateText(DateToDayCount(QDate(1999, 3, 15)));
    QVERIFY(date.contains("2026") && date99.contains("1999"));
    date.replace("2026", "26");
    date99.replace("1999", "99");
    const QList<TQCTextLine> lines = ReadQCText(date + "\t08:00:00\t1\r\n" + date99 + "\t08:00:00\t1\r\n", 0);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(DayCountToDate(lines[0].Result.DateTime), QDate(2026, 3, 15));
    QCOMPARE(DayCountToDate(lines[1].Result.DateTime), QDate(1999, 3, 15));
}

void TestQCText::zeroByteEndsTheText()
{
    QByteArray bytes = (Line(0, "08:00:00", { "1" }) + "\r\n").toUtf8();
    bytes.append('\0');
    bytes.append((Line(1, "08:00:00", { "2" }) + "\r\n").toUtf8());
    QString text;
    QVERIFY(ReadThroughFile(bytes, text));
    QVERIFY(!text.contains(QChar(0)));
    QCOMPARE(DecodeQCTextBytes(bytes), text);
    const QList<TQCTextLine> lines = ReadQCText(text, 0);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].Result.Values[0].Value, 1.0f);
}

void TestQCText::windows1252File()
{
    // "Contrôle" and "µmol/L" in Windows-1252: 0xF4 and 0xB5 are not valid UTF-8 here.
    QByteArray bytes = "Contr\xF4le\t\xB5mol/L\r\n";
    bytes += (Line(0, "08:00:00", { "1.5", "2" }) + "\tAB\t").toLatin1()
        + "r\xE9"
          "actif\r\n";
    QString text;
    QVERIFY(ReadThroughFile(bytes, text));
    QVERIFY(text.startsWith(QString::fromUtf8("Contrôle\tµmol/L\r\n")));
    QVERIFY(text.contains(QString::fromUtf8("réactif")));
    const QList<TQCTextLine> lines = ReadQCText(text, 1);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].Result.Values[1].Value, 2.0f);
}

void TestQCText::utf8FileWithByteOrderMark()
{
    // The mark stands right before the first date: it must not hide that line.
    QByteArray bytes = "\xEF\xBB\xBF";
    bytes += (Line(0, "08:00:00", { "3" }) + QString::fromUtf8("\tAB\tµ réactif\r\n")).toUtf8();
    bytes += (Line(1, "08:00:00", { "4" }) + "\r\n").toUtf8();
    QString text;
    QVERIFY(ReadThroughFile(bytes, text));
    QVERIFY(text.contains(QString::fromUtf8("µ réactif")));
    QCOMPARE(text.at(0), Date(0).at(0));
    const QList<TQCTextLine> lines = ReadQCText(text, 0);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].Result.Values[0].Value, 3.0f);
}

void TestQCText::missingFileIsAnError()
{
    QTemporaryDir dir;
    QString text = "unchanged", error;
    QVERIFY(!ReadQCTextFile(dir.filePath("none.txt"), text, error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(text, QString("unchanged"));
}

void TestQCText::version2ReaderIsChosenByTheLastThreeLetters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("version2");
    QTest::newRow("data file") << "/lab/QCDATA.DAT" << true;
    QTest::newRow("backup, lower case") << "/lab/old.sav" << true;
    QTest::newRow("mixed case") << "/lab/old.Dat" << true;
    QTest::newRow("no dot") << "/lab/olddat" << true;
    QTest::newRow("text") << "/lab/export.txt" << false;
    QTest::newRow("current data file") << "/lab/Vantorel.qcf" << false;
    QTest::newRow("longer extension") << "/lab/old.data" << false;
    QTest::newRow("short name") << "at" << false;
}

void TestQCText::version2ReaderIsChosenByTheLastThreeLetters()
{
    QFETCH(QString, name);
    QFETCH(bool, version2);
    QCOMPARE(IsVersion2FileName(name), version2);
}

void TestQCText::exportReplacesALongerFile()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("export.txt");
    QFile old(name);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'Z'));
    old.close();
    const QString text = QString::fromUtf8("15/03/2026\t08:00:00\t1.5\t\tAB\tµ\r\n");
    QString error;
    QVERIFY2(WriteQCTextFile(name, text, error), qPrintable(error));
    QFile back(name);
    QVERIFY(back.open(QIODevice::ReadOnly));
    const QByteArray bytes = back.readAll();
    QByteArray expected = "15/03/2026\t08:00:00\t1.5\t\tAB\t\xB5\r\n";
    expected.append('\0');
    QCOMPARE(bytes, expected);
    QVERIFY(!bytes.contains('Z'));
}

void TestQCText::exportFailureKeepsTheOldFile()
{
    QTemporaryDir dir;
    // A file standing where a folder should be: nothing can be created below it.
    const QString blocker = dir.filePath("blocker");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old content");
    file.close();
    QString error;
    QVERIFY(!WriteQCTextFile(blocker + "/export.txt", "x\r\n", error));
    QVERIFY(!error.isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old content"));
}

void TestQCText::addingReturnsEveryLevelToMobile()
{
    TAnalyte analyte("Glucose", "mmol/L", 1, 3);
    for (int i = 0; i < 10; ++i)
        analyte.AddPoint(MakeResult(Day0() - 20 + i + 0.5, 5.0 + 0.1 * (i % 3), 10.0 + 0.2 * (i % 2), 1.0 + 0.01 * i));
    analyte.LimitMode = { lmLocked, lmFixed, lmMobile };
    analyte.LockStart[0] = 2;
    analyte.LockEnd[0] = 6;
    analyte.ReferenceStats[1].Mean = 11;
    analyte.ReferenceStats[1].WarningHalfWidth = 0.1;
    analyte.ReferenceStats[1].ActionHalfWidth = 0.2;
    analyte.RecomputeAll(TRisks());
    analyte.ClassifyAll();
    QCOMPARE(analyte.LimitMode[1], quint8(lmFixed));

    const QList<TQCTextLine> lines = ReadQCText(Line(-30, "08:00:00", { "5.1", "10.1" }) + "\r\n", 1);
    std::vector<TResu0> results { lines[0].Result };
    AddImportedResults(analyte, results, TRisks());
    QCOMPARE(analyte.Count(), 11);
    QCOMPARE(analyte.LimitMode, (std::array<quint8, 3> { lmMobile, lmMobile, lmMobile }));
    // Mobile limits now come from all eleven points, and the points are classified against them.
    QCOMPARE(analyte.ReferenceStats[1].N, 11);
    QVERIFY(analyte.ReferenceStats[1].Mean < 10.2 && analyte.ReferenceStats[1].Mean > 10.0);
    QCOMPARE(analyte.Point(0).CommentID, -1);
    QCOMPARE(analyte.Point(0).Operator(), QString());
}

void TestQCText::addingNothingStillResetsModes()
{
    TAnalyte analyte("Calcium", "mmol/L", 2, 2);
    analyte.LimitMode = { lmFixed, lmLocked, lmFixed };
    AddImportedResults(analyte, {}, TRisks());
    QCOMPARE(analyte.LimitMode, (std::array<quint8, 3> { lmMobile, lmMobile, lmMobile }));
    QCOMPARE(analyte.Count(), 0);
}

void TestQCText::addedNoonLineLandsInDateOrder()
{
    TAnalyte analyte("Urea", "mmol/L", 1, 1);
    analyte.AddPoint(MakeResult(At(0, 11), 1));
    analyte.AddPoint(MakeResult(At(0, 13), 3));
    const QList<TQCTextLine> lines = ReadQCText(Line(0, "?", { "2" }) + "\r\n", 1);
    AddImportedResults(analyte, { lines[0].Result }, TRisks());
    QCOMPARE(analyte.Point(1).Values[0].Value, 2.0f);
    QCOMPARE_NEAR(analyte.Point(1).DateTime, At(0, 12), 1e-12);
}

VANTOREL_TEST(TestQCText)
#include "TestQCText.moc"
