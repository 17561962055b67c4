// The random generator opened from the main window: the grid and the number
// read as typed, the questions of both destinations, Enter and Escape in the
// grid. The drawn values and what each destination changes are tested in core.
#include "TMainWindowFixture.h"
#include "TTestRegistry.h"
#include "TWinRandom.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>

class TestTWinRandom : public QObject {
    Q_OBJECT

private:
    TMainWindowFixture f;
    std::unique_ptr<TWinRandom> m_random;

    TWinMain& ShowMain()
    {
        TWinMain& win = f.Show();
        win.WinRandom = (m_random = std::make_unique<TWinRandom>(*f.Context, f.Dialogs)).get();
        win.UpdateCommands();
        return win;
    }
    void Fill(const QString& number, const QStringList& cells) // mean and CV of each level in turn
    {
        m_random->EditNumber->setText(number);
        for (int i = 0; i < cells.size(); ++i)
            m_random->Grille->item(1 + i % 2, 1 + i / 2)->setText(cells[i]);
    }

private slots:
    void init() { QVERIFY(f.Reset()); }

    void create_data()
    {
        QTest::addColumn<int>("points"); // stored before
        QTest::addColumn<bool>("queue");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<int>("answer"); // to the question, when one is asked
        QTest::addColumn<QString>("box"); // the first box shown
        QTest::addColumn<int>("created");
        const QString question
            = "Create 3 random QC points from " + ShortDateText(DateToDayCount(QDate(2026, 2, 10))) + "\r";
        QTest::newRow("charts, comma, after the stored points")
            << 4 << false << "3" << QStringList { "5,2", "3", "", "" } << int(mbOK)
            << question + "Add the new random points to the previous ones." << 3;
        QTest::newRow("charts without stored points: no question")
            << 0 << false << " 3 " << QStringList { "", "", "9.5", "2" } << int(mbOK) << "" << 3;
        QTest::newRow("queue") << 4 << true << "3" << QStringList { "5.2", "3" } << int(mbOK)
                               << question + "Add the new random points in the fifo." << 3;
        QTest::newRow("queue, Cancel") << 4 << true << "3" << QStringList { "5.2", "3" } << int(mbCancel)
                                       << question + "Add the new random points in the fifo." << 0;
        QTest::newRow("number 0") << 4 << false << "0" << QStringList { "5.2", "3" } << 0 << "0 is too low" << 0;
        QTest::newRow("no mean") << 4 << false << "3" << QStringList { "", "3" } << 0 << "Fill in the grid" << 0;
    }
    void create()
    {
        QFETCH(int, points);
        QFETCH(bool, queue);
        QFETCH(QString, number);
        QFETCH(QStringList, cells);
        QFETCH(int, answer);
        QFETCH(QString, box);
        QFETCH(int, created);
        QList<QList<double>> values;
        for (int i = 0; i < points; ++i)
            values.append({ 5.0 + 0.1 * i, 9.0 });
        f.Context->CurrentAnalyte = &f.AddAnalyte("Glucose", 2, values);
        TWinMain& win = ShowMain();
        f.Dialogs.QueueAnswer(answer);
        bool closed = false;
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            dialog.show();
            m_random->DatePicker->setDate(QDate(2026, 2, 10));
            m_random->TimePicker->setTime(QTime(8, 15));
            (queue ? m_random->RBFifo : m_random->RBCharts)->setChecked(true);
            Fill(number, cells);
            m_random->BtOK->click();
            closed = !dialog.isVisible();
            dialog.close();
            return dialog.result();
        });
        win.MnuRandomGenerator->trigger();
        QCOMPARE(closed, created > 0);
        if (box.isEmpty())
            QVERIFY(f.Dialogs.Boxes.isEmpty());
        else
            QVERIFY2(f.Dialogs.Boxes.value(0).Text.startsWith(box), qPrintable(f.Dialogs.Boxes.value(0).Text));
        QCOMPARE(f.Context->CurrentAnalyte->Count(), points + (queue ? 0 : created));
        QCOMPARE(f.Context->ListFifo.Count(), queue ? created : 0);
        if (created == 0)
            return;
        const double first = DateToDayCount(QDate(2026, 2, 10)) + (8 * 60 + 15) / 1440.0;
        const TQCValues v
            = queue ? f.Context->ListFifo.Item(0).Values : f.Context->CurrentAnalyte->Point(points).Values;
        // The first run at the first date and time, each level valued when its mean was given.
        QCOMPARE_NEAR(queue ? f.Context->ListFifo.Item(0).DateTime : f.Context->CurrentAnalyte->Point(points).DateTime,
            first, 1e-9);
        QCOMPARE(v[0].HasValue(), !cells[0].isEmpty());
        QCOMPARE(v[1].HasValue(), cells.size() > 2 && !cells[2].isEmpty());
    }

    void badCellIsPointedOut()
    {
        f.Context->CurrentAnalyte = &f.AddAnalyte("Glucose", 2, { { 5, 9 } });
        TWinMain& win = ShowMain();
        bool stayedOpen = false;
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            dialog.show();
            Fill("3", { "5.2", "3", "9.5", "2x" });
            m_random->BtOK->click();
            stayedOpen = dialog.isVisible();
            dialog.close();
            return dialog.result();
        });
        win.MnuRandomGenerator->trigger();
        QVERIFY(stayedOpen);
        QCOMPARE(f.Dialogs.Boxes.size(), 1);
        QCOMPARE(f.Context->CurrentAnalyte->Count(), 1);
        QCOMPARE(m_random->Grille->currentRow(), 2);
        QCOMPARE(m_random->Grille->currentColumn(), 2);
    }

    void keysInTheGrid_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("created");
        QTest::newRow("Enter acts as OK") << int(Qt::Key_Return) << 2;
        QTest::newRow("Escape closes") << int(Qt::Key_Escape) << 0;
    }
    void keysInTheGrid()
    {
        QFETCH(int, key);
        QFETCH(int, created);
        f.Context->CurrentAnalyte = &f.AddAnalyte("Glucose", 1, {});
        TWinMain& win = ShowMain();
        f.Dialogs.QueueExec([&](QDialog& dialog) {
            dialog.show();
            Fill("2", { "5.2", "3" });
            QTest::keyClick(m_random->Grille, Qt::Key(key));
            const int result = dialog.result();
            dialog.close();
            return result;
        });
        win.MnuRandomGenerator->trigger();
        QCOMPARE(f.Context->CurrentAnalyte->Count(), created);
    }

    void noAnalyte()
    {
        TWinMain& win = ShowMain();
        win.MnuRandomGenerator->trigger();
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Error, "No analyte", mbOK);
        QVERIFY(f.Dialogs.ExecutedWindows.isEmpty());
    }
};

VANTOREL_TEST(TestTWinRandom)
#include "TestTWinRandom.moc"
