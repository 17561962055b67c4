#include "TPrintWindowFixture.h"
#include "TTestRegistry.h"
#include "TWinPrnCharts.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

// What the pages hold is the printing layer's; here the choices the window passes and what the user is told.
class TestWinPrnCharts : public QObject {
    Q_OBJECT
private slots:
    void levelBoxesFollowTheAnalyte_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("boxes"); // caption, then shown, ticked and enabled as 1 or 0
        QTest::newRow("one level cannot be cleared") << 1 << "Lyphocheck 1 110 0 0 ";
        QTest::newRow("three levels") << 3 << "Lyphocheck 1 111 Lyphocheck 2 111 Lyphocheck 3 111 ";
    }

    void levelBoxesFollowTheAnalyte()
    {
        QFETCH(int, levels);
        TPrintWindowFixture<TWinPrnCharts> f(levels, 40);
        QString boxes;
        for (const QCheckBox* box : f.Win.CBLevels)
            boxes += box->isVisible()
                ? QStringLiteral("%1 1%2%3 ").arg(box->text()).arg(box->isChecked()).arg(box->isEnabled())
                : QStringLiteral("0 ");
        QTEST(boxes, "boxes");
        QCOMPARE(f.Win.PanelNbPoints->text(), QString("40"));
        // The colour choice is kept in the settings and shown again.
        QTest::mouseClick(f.Win.CBColor, Qt::LeftButton);
        QCOMPARE(f.Context->Config.PrintInColour, true);
        f.Win.hide();
        f.Win.show();
        QVERIFY(f.Win.CBColor->isChecked());
    }

    void printButtonOutcome_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("result");
        QTest::newRow("two of three levels") << false << "" << int(QDialog::Accepted);
        QTest::newRow("no level ticked") << false << "Nothing to print" << int(QDialog::Rejected);
        QTest::newRow("print dialog cancelled") << true << "" << -1;
    }

    void printButtonOutcome()
    {
        QFETCH(bool, cancel);
        QFETCH(QString, box);
        QFETCH(int, result);
        TPrintWindowFixture<TWinPrnCharts> f(3, 40);
        f.Win.setResult(-1);
        for (int level : box.isEmpty() ? QList<int> { 1 } : QList<int> { 0, 1, 2 })
            f.Win.CBLevels[size_t(level)]->setChecked(false);
        const QString text = f.Print(f.Win.BtPrint, !cancel);
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Error, box, mbYes), QString());
        QCOMPARE(f.Asked,
            box.isEmpty() ? QStringList({ "Printing QC charts", f.Offered("Glucose-charts-2026-03-15.pdf") })
                          : QStringList());
        QCOMPARE(f.Win.result(), result);
        QCOMPARE(f.Win.isVisible(), (result == -1));
        const bool printed = result == QDialog::Accepted;
        QCOMPARE(text.contains("Lyphocheck 1 (A1)") && text.contains("Lyphocheck 3 (A1)"), printed);
        QVERIFY(!text.contains("Lyphocheck 2"));
    }
};

VANTOREL_TEST(TestWinPrnCharts)
#include "TestWinPrnCharts.moc"
