#include "TDataTable.h"
#include "TDates.h"
#include "TFonts.h"
#include "TTabListDelegate.h"
#include "TTestRegistry.h"

#include <QFontMetrics>
#include <QTest>

// Every list with tab stops, in the locales the program meets: each field starts at its own stop
// whatever the fields before it hold, dates and times show whole, a text too wide is cut inside its column.
class TestTabListDelegate : public QObject {
    Q_OBJECT

private slots:
    void fieldsKeepToTheirColumns_data()
    {
        QTest::addColumn<QList<int>>("stops");
        QTest::addColumn<QList<int>>("marked"); // stops with a level's mark left of them
        QTest::addColumn<QString>("line"); // D a date, T a time, X a text too wide for its column, V a value
        QTest::addColumn<QString>("locale");
        const QList<int> data = TDataTable::TabStops(3);
        for (const char* locale : { "C", "en_US", "en_GB", "de_DE", "fr_FR" }) {
            QTest::addRow("archives list, %s", locale) << QList<int> { 60, 120, 220, 290, 340, 370 } << QList<int>()
                                                       << "D\tD\tX\tX\t12.345\t12.3\t999" << locale;
            QTest::addRow("archive view, %s", locale)
                << QList<int> { 60, 120, 180, 230 } << QList<int>() << "D\tT\tX\tX\tX" << locale;
            QTest::addRow("data table, %s", locale) << data << data.mid(0, 3) << "D T\tX\tV\tV\tABC\tX" << locale;
            QTest::addRow("daily QC, %s", locale) << QList<int> { 110, 180, 240, 300, 350, 395 }
                                                  << QList<int> { 180, 240, 300 } << "X\tT\tV\tV\tX\tABC\tX" << locale;
        }
    }
    void fieldsKeepToTheirColumns()
    {
        QFETCH(QList<int>, stops);
        QFETCH(QList<int>, marked);
        QFETCH(QString, line);
        QFETCH(QString, locale);
        const QDateTime widest(QDate(2026, 12, 28), QTime(23, 58, 58));
        line.replace('D', widest.date().toString(ShortDateFormat(QLocale(locale))))
            .replace('T', widest.time().toString(LongTimeFormat(QLocale(locale))))
            .replace('V', "1234.56") // seven characters: a value with its decimals
            .replace('X', QString(60, 'W'));
        TTabListDelegate delegate(stops, 16);
        delegate.SetMarkedStops(marked);
        const QFontMetrics metrics(WindowFont());
        const QStringList fields = line.split('\t');
        const QList<TTabListDelegate::TColumn> columns = delegate.Columns(line, metrics, 600);
        const QStringList shown = delegate.ShownFields(line, metrics, 600);
        for (int i = 0; i < fields.size(); ++i) {
            const int end = i >= stops.size() ? 600
                : marked.contains(stops[i])   ? TTabListDelegate::MarkLeft(stops[i])
                                              : stops[i];
            QCOMPARE(columns[i].Left, i == 0 ? 0 : stops[i - 1]);
            QVERIFY2(columns[i].Left + metrics.horizontalAdvance(shown[i]) <= end, qPrintable(shown[i]));
            QCOMPARE(shown[i] == fields[i], !fields[i].startsWith('W')); // only the texts too wide are cut
        }
    }
};

VANTOREL_TEST(TestTabListDelegate)
#include "TestTabListDelegate.moc"
