#include "TAnalyte.h"
#include "TMainWindowFixture.h"
#include "TWinRandom.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

// The drawn values and what each destination changes are core's.
class TestWinRandom : public TMainWindowTest {
    Q_OBJECT
private slots:
    void create_data()
    {
        QTest::addColumn<int>("points"); // stored before
        QTest::addColumn<bool>("queue");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("cells"); // mean and CV of each level in turn
        QTest::addColumn<int>("press"); // the key pressed in the grid; 0: OK clicked
        QTest::addColumn<int>("answer"); // to the question, when one is asked
        QTest::addColumn<QString>("box"); // the first box shown
        QTest::addColumn<int>("created");
        const QString from = "Create 3 random QC points from " + ShortDateText(DateToDayCount(QDate(2026, 2, 10)));
        const QStringList cells { "5,2", "3", "", "" };
        // clang-format off
        QTest::newRow("charts, comma, after the stored points") << 4 << false << "3" << cells << 0 << int(mbOK) << from + "\rAdd the new random points to the previous ones." << 3;
        QTest::newRow("charts without points: no question, Enter in the grid") << 0 << false << " 3 " << QStringList { "", "", "9.5", "2" } << int(Qt::Key_Return) << 0 << "" << 3;
        QTest::newRow("queue") << 4 << true << "3" << cells << 0 << int(mbOK) << from + "\rAdd the new random points in the fifo." << 3;
        QTest::newRow("queue, Cancel") << 4 << true << "3" << cells << 0 << int(mbCancel) << from << 0;
        QTest::newRow("no analyte") << -1 << false << "" << cells << 0 << 0 << "No analyte" << 0;
        QTest::newRow("Escape in the grid") << 4 << false << "3" << cells << int(Qt::Key_Escape) << 0 << "" << 0;
        QTest::newRow("number 0") << 4 << false << "0" << cells << 0 << 0 << "0 is too low" << 0;
        QTest::newRow("no mean") << 4 << false << "3" << QStringList { "", "3" } << 0 << 0 << "Fill in the grid" << 0;
        // clang-format on
    }

    void create()
    {
        QFETCH(int, points);
        QFETCH(bool, queue);
        QFETCH(QString, number);
        QFETCH(QStringList, cells);
        QFETCH(int, press);
        QFETCH(int, answer);
        QFETCH(QString, box);
        QFETCH(int, created);
        if (points >= 0)
            f.Context->CurrentAnalyte = &f.AddAnalyte("Glucose", 2, QList<QList<double>>(points, { 5.0, 9.0 }));
        TWinRandom random(*f.Context, f.Dialogs);
        TWinMain& win = f.ShowWith(&TWinMain::WinRandom, random);
        f.Dialogs.QueueAnswer(answer);
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            dialog.show();
            random.DatePicker->setDate(QDate(2026, 2, 10));
            (queue ? random.RBFifo : random.RBCharts)->setChecked(true);
            random.EditNumber->setText(number);
            for (int i = 0; i < cells.size(); ++i)
                random.Grille->item(1 + i % 2, 1 + i / 2)->setText(cells[i]);
            if (press == Qt::Key_Return) { // the last cell typed in its editor, Enter pressed there
                const int last = int(cells.size()) - 1;
                QTableWidgetItem* cell = random.Grille->item(1 + last % 2, 1 + last / 2);
                cell->setText(QString());
                random.Grille->setCurrentItem(cell);
                random.Grille->editItem(cell);
                QWidget* editor = random.Grille->indexWidget(random.Grille->currentIndex());
                QTest::keyClicks(editor, cells[last]);
                QTest::keyClick(editor, Qt::Key_Return);
            } else if (press)
                QTest::keyClick(random.Grille, Qt::Key(press));
            else
                random.BtOK->click();
            const int result = dialog.isVisible() ? int(QDialog::Rejected) : dialog.result();
            dialog.close();
            return result;
        });
        win.MnuRandomGenerator->trigger();
        const QString shown = f.Dialogs.Boxes.isEmpty() ? QString() : f.Dialogs.Boxes[0].Text;
        QVERIFY2(box.isEmpty() ? shown.isEmpty() : shown.startsWith(box), qPrintable(shown));
        QCOMPARE(f.Context->ListFifo.Count(), queue ? created : 0);
        QVERIFY(points < 0 || f.Context->CurrentAnalyte->Count() == points + (queue ? 0 : created));
        if (!queue && created) {
            QVERIFY(f.DataFileAsInMemory());
            const TQCValues& last = f.Context->CurrentAnalyte->Point(points + created - 1).Values;
            QVERIFY(std::any_of(last.begin(), last.end(), [](const TQCValue& v) { return v.Status == psWithin; }));
        }
    }
};

VANTOREL_TEST(TestWinRandom)
#include "TestWinRandom.moc"
