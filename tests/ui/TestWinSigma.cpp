#include "TAnalyte.h"
#include "TPrintWindowFixture.h"
#include "TQualityGoals.h"
#include "TTestRegistry.h"
#include "TWinSigma.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

// The sigma figures and the simulation are core's (TSigma, TPowerFunction).
class TestWinSigma : public QObject {
    Q_OBJECT
private:
    // The window on "Glucose" (two levels) with its goals file in a folder of its own.
    struct TFixture : TPrintWindowFixture<TWinSigma> {
        QString Goals = TQualityGoals::FileName(Dir.filePath("Vantorel"));
        TFixture()
            : TPrintWindowFixture<TWinSigma>(2, 30)
        {
            Context->SetProgramFolder(Dir.path());
            Win.FormShow();
        }
    };

private slots:
    void initTestCase() { TWinSigma::Trials = 200; }

    void goalsTypedAreKeptOnOK()
    {
        TFixture f;
        QCOMPARE(f.Win.Series().size(), size_t(1)); // no goal: the multirule in force alone
        f.Win.EditTEa[0]->setText("10,5");
        f.Win.EditTarget[0]->setText("100");
        f.Win.EditTEa[1]->setText("0.8");
        f.Win.CBUnits[1]->setChecked(true);
        f.Win.CBApply->setChecked(true);
        QTest::mouseClick(f.Win.BtCompute, Qt::LeftButton);
        QCOMPARE(f.Win.Series().size(), size_t(2)); // and the recommended rules
        QTest::mouseClick(f.Win.BtOK, Qt::LeftButton);
        QCOMPARE(f.Win.result(), int(QDialog::Accepted));
        TQualityGoals read;
        QString error;
        QVERIFY2(read.Load(f.Goals, &error), qPrintable(error));
        TAnalyteGoals expected;
        expected.Levels[0] = { 10.5, false, 100, NAN };
        expected.Levels[1] = { 0.8, true, NAN, NAN };
        expected.ApplyRecommended = true;
        QVERIFY(read.Goals("Glucose") == expected);
        QCOMPARE(f.Print(f.Win.BtPrint).contains("Sigma and rules for Glucose"), true);
    }

    void badNumberSavesNothing()
    {
        TFixture f;
        f.Win.EditBias[1]->setText("1.2.3");
        QTest::mouseClick(f.Win.BtOK, Qt::LeftButton);
        QVERIFY(!QFile::exists(f.Goals));
        QCOMPARE(f.Dialogs.Boxes.size(), qsizetype(1));
    }

    void passwordLocksOK()
    {
        TFixture f;
        f.Context->Config.Password = "pw";
        f.Win.FormShow();
        QVERIFY(!f.Win.BtOK->isEnabled() && f.Win.BtCompute->isEnabled());
    }

    void damagedGoalsFileIsLeftAsItIs()
    {
        TFixture f;
        QFile file(f.Goals);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{ broken") == 8);
        file.close();
        f.Win.FormShow();
        QCOMPARE(f.Dialogs.Boxes.size(), qsizetype(1));
        QVERIFY(!f.Win.BtOK->isEnabled());
    }
};

VANTOREL_TEST(TestWinSigma)
#include "TestWinSigma.moc"
