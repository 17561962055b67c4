#include "TDailyAnalyte.h"
#include "TDates.h"
#include "TPdfText.h"
#include "TScriptedDialogs.h"
#include "TScriptedPrinters.h"
#include "TTestRegistry.h"
#include "TWinPrnData.h"
#include "TestHelpers.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The data printing window driven through its pickers and buttons, printing
// to a PDF file.
class TestTWinPrnData : public QObject {
    Q_OBJECT
private slots:
    void printButtonOutcome_data();
    void printButtonOutcome();
};

void TestTWinPrnData::printButtonOutcome_data()
{
    QTest::addColumn<int>("day1");
    QTest::addColumn<int>("day2");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("printed");
    QTest::newRow("three days in the wrong order") << 12 << 10 << false << "3"
                                                   << "" << true;
    QTest::newRow("no point between the dates") << 16 << 20 << false << "0"
                                                << "Nothing to print" << false;
    QTest::newRow("print dialog cancelled") << 10 << 12 << true << "3"
                                            << "" << false;
}

void TestTWinPrnData::printButtonOutcome()
{
    QFETCH(bool, cancel);
    QFETCH(QString, box);
    QFETCH(bool, printed);
    // Glucose has ten daily points at noon, March 5 to 14.
    const std::unique_ptr<TQCContext> context = MakeTestContext();
    context->ListSerum.Add("Lyphocheck 1", "A1");
    context->CurrentAnalyte = &AddDailyAnalyte(*context, "Glucose", 1, 10, context->Clock().TodayDays());
    QTemporaryDir dir;
    const QString file = dir.filePath("data.pdf");
    TScriptedDialogs dialogs;
    TScriptedPrinters printers(file);
    TWinPrnData win(*context, dialogs, printers);
    win.show();
    QCOMPARE(win.PanelNbLines->text(), QString("10"));
    QVERIFY(win.CBPrnStats->isChecked());
    QFETCH(int, day1);
    QFETCH(int, day2);
    win.DatePicker1->setDate(QDate(2026, 3, day1));
    win.DatePicker2->setDate(QDate(2026, 3, day2));
    QTEST(win.PanelNbLines->text(), "count");
    win.CBPrnStats->setChecked(false);
    if (cancel)
        printers.QueueCancel();
    QTest::mouseClick(win.BtPrint, Qt::LeftButton);
    QCOMPARE(dialogs.Boxes.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QCOMPARE(dialogs.OnlyBoxDifference(TMsgType::Error, box, mbYes), QString());
    QCOMPARE(printers.JobTitles, box.isEmpty() ? QStringList { "Printing QC data" } : QStringList {});
    QCOMPARE(win.isVisible(), !printed);
    QCOMPARE(QFile::exists(file), printed);
    if (printed) { // the points of the 10th to the 12th, without statistics
        const QString text = PdfText(file);
        for (int day = 9; day <= 13; ++day)
            QCOMPARE(text.contains(ShortDateText(DateToDayCount(QDate(2026, 3, day)))), day >= 10 && day <= 12);
        QVERIFY(!text.contains("Statistics"));
    }
}

VANTOREL_TEST(TestTWinPrnData)
#include "TestTWinPrnData.moc"
