#include "TDataTable.h"
#include "TDates.h"
#include "TFonts.h"
#include "TTabListDelegate.h"
#include "TTestRegistry.h"

#include <QFontMetrics>
#include <QTest>

// Every list with tab stops, in the locales the program meets: each field starts
// at its own stop whatever the fields before it hold, dates and times show
// whole, and a text too wide is cut inside its column.
class TestTTabListDelegate : public QObject {
    Q_OBJECT

private slots:
    void fieldsKeepToTheirColumns_data()
    {
        QTest::addColumn<QList<int>>("stops");
        QTest::addColumn<QList<int>>("marked"); // stops with a level's mark left of them
        QTest::addColumn<QString>("line"); // D a date, T a time, X a text too wide for its column
        QTest::addColumn<QList<int>>("whole"); // the fields that must show whole
        QTest::addColumn<QString>("locale");
        const QString value = "1234.56"; // seven characters: a value with its decimals
        const QList<int> data = TDataTable::TabStops(3);
        for (const char* locale : { "C", "en_US", "en_GB", "de_DE", "fr_FR" }) {
            QTest::addRow("archives list, %s", locale)
                << QList<int> { 60, 120, 220, 290, 340, 370 } << QList<int>() << "D\tD\tX\tX\t12.345\t12.3\t999"
                << QList<int> { 0, 1, 4, 5, 6 } << QString(locale);
            QTest::addRow("archive view, %s", locale) << QList<int> { 60, 120, 180, 230 } << QList<int>()
                                                      << "D\tT\tX\tX\tX" << QList<int> { 0, 1 } << QString(locale);
            QTest::addRow("data table, %s", locale)
                << data << data.mid(0, 3) << "D T\tX\t" + value + "\t" + value + "\tABC\tX" << QList<int> { 0, 2, 3, 4 }
                << QString(locale);
            QTest::addRow("daily QC, %s", locale)
                << QList<int> { 110, 180, 240, 300, 350, 395 } << QList<int> { 180, 240, 300 }
                << "X\tT\t" + value + "\t" + value + "\tX\tABC\tX" << QList<int> { 1, 2, 3, 5 } << QString(locale);
        }
    }
    void fieldsKeepToTheirColumns()
    {
        QFETCH(QList<int>, stops);
        QFETCH(QList<int>, marked);
        QFETCH(QString, line);
        QFETCH(QList<int>, whole);
        QFETCH(QString, locale);
        const QDateTime widest(QDate(2026, 12, 28), QTime(23, 58, 58));
        line.replace('D', widest.date().toString(ShortDateFormat(QLocale(locale))));
        line.replace('T', widest.time().toString(LongTimeFormat(QLocale(locale))));
        line.replace('X', QString(60, 'W'));
        TTabListDelegate delegate(stops, 16);
        delegate.SetMarkedStops(marked);
        const QFontMetrics metrics(WindowFont());
        const int lineWidth = 600;
        const QStringList fields = line.split('\t');
        const QList<TTabListDelegate::TColumn> columns = delegate.Columns(line, metrics, lineWidth);
        const QStringList shown = delegate.ShownFields(line, metrics, lineWidth);
        QCOMPARE(columns.size(), fields.size());
        for (int i = 0; i < fields.size(); ++i) {
            const int left = i == 0 ? 0 : stops[i - 1];
            const int end = i < stops.size()
                ? (marked.contains(stops[i]) ? TTabListDelegate::MarkLeft(stops[i]) : stops[i])
                : lineWidth;
            QCOMPARE(columns[i].Left, left);
            QVERIFY2(left + metrics.horizontalAdvance(shown[i]) <= end, qPrintable(shown[i]));
            if (whole.contains(i))
                QCOMPARE(shown[i], fields[i]);
            else
                QVERIFY(shown[i].endsWith(QChar(0x2026)));
        }
    }
};

VANTOREL_TEST(TestTTabListDelegate)
#include "TestTTabListDelegate.moc"
