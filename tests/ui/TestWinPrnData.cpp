#include "TDates.h"
#include "TPrintWindowFixture.h"
#include "TTestRegistry.h"
#include "TWinPrnData.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

class TestWinPrnData : public QObject {
    Q_OBJECT
private slots:
    void printButtonOutcome_data()
    {
        QTest::addColumn<int>("day1");
        QTest::addColumn<int>("day2");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("box");
        QTest::newRow("three days in the wrong order") << 12 << 10 << false << "3" << QString();
        QTest::newRow("no point between the dates") << 16 << 20 << false << "0" << u"Nothing to print"_s;
        QTest::newRow("print dialog cancelled") << 10 << 12 << true << "3" << QString();
    }

    void printButtonOutcome()
    {
        QFETCH(int, day1);
        QFETCH(int, day2);
        QFETCH(bool, cancel);
        QFETCH(QString, box);
        TPrintWindowFixture<TWinPrnData> f(1, 10); // March 5 to 14
        QCOMPARE(f.Win.PanelNbLines->text(), QString("10"));
        QVERIFY(f.Win.CBPrnStats->isChecked());
        f.Win.DatePicker1->setDate(QDate(2026, 3, day1));
        f.Win.DatePicker2->setDate(QDate(2026, 3, day2));
        QTEST(f.Win.PanelNbLines->text(), "count");
        f.Win.CBPrnStats->setChecked(false);
        const QString text = f.Print(f.Win.BtPrint, !cancel);
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Error, box, mbYes), QString());
        const QString offered = f.Offered("Glucose-data-2026-03-15.pdf");
        QCOMPARE(f.Asked, box.isEmpty() ? QStringList({ "Printing QC data", offered }) : QStringList());
        const bool printed = box.isEmpty() && !cancel;
        QCOMPARE(f.Win.isVisible(), !printed);
        QCOMPARE(QFile::exists(f.File), printed);
        for (int day = 9; day <= 13; ++day) // the points of the 10th to the 12th, without statistics
            QCOMPARE(
                text.contains(ShortDateText(DateToDayCount(QDate(2026, 3, day)))), printed && day >= 10 && day <= 12);
        QVERIFY(!text.contains("Statistics"));
        if (printed) { // the next print offers its own name again and asks before replacing the file chosen
            f.Win.show();
            f.Dialogs.QueueAnswer(mbCancel);
            f.Print(f.Win.BtPrint);
            QCOMPARE(f.Asked.last(), offered);
            QCOMPARE(f.Dialogs.Boxes.last().Text, "The file " + f.File + " already exists.\rReplace it?");
            QVERIFY(f.Win.isVisible()); // nothing printed
        }
    }
};

VANTOREL_TEST(TestWinPrnData)
#include "TestWinPrnData.moc"
