#include "TAnalyte.h"
#include "TDataFile.h"
#include "TDataTable.h"
#include "TFifoFile.h"
#include "TMainWindowFixture.h"
#include "TWinShowData.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

using TTableStep = std::function<void(TWinShowData&)>;

QList<float> FirstValues(const TAnalyte& a)
{
    QList<float> values;
    for (int i = 0; i < a.Count(); ++i)
        values.append(a.Point(i).Values[0].Value);
    return values;
}

void SelectRow(TWinShowData& w, int row) { w.LB->setCurrentRow(row, QItemSelectionModel::ClearAndSelect); }

} // namespace

// Which lines a deletion takes is core's (TestDataTable).
class TestWinShowData : public TMainWindowTest {
    Q_OBJECT

    std::unique_ptr<TWinShowData> m_table;
    TAnalyte* m_analyte = nullptr;

    // Ten one-level points valued 1 .. 10, the main window shown on them with its data table.
    TWinMain& ShowTable(int levels = 1)
    {
        QList<QList<double>> values;
        for (int i = 1; i <= 10; ++i)
            values.append({ double(i), 20.0 + i, 30.0 + i });
        m_analyte = &f.AddAnalyte("Glucose", levels, values);
        m_table = std::make_unique<TWinShowData>(*f.Context, f.Dialogs, f.Pictures());
        return f.ShowWith(&TWinMain::WinShowData, *m_table);
    }
    // "Data ta&ble" (or `command`) with the table driven by `steps`; gives the table's result.
    int OpenTable(const TTableStep& steps, const std::function<void()>& command = {})
    {
        int result = -1;
        f.Dialogs.QueueExec([&](QDialog& d) { return result = Driven<TWinShowData>(steps)(d); });
        command ? command() : f.Win->BtData->click();
        return result;
    }

private slots:
    void cleanup() { m_table.reset(); }

    void opensOnTheSelectedPointWithItsLevels_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("one level, data button") << 1 << false;
        QTest::newRow("three levels, chart double click") << 3 << true;
    }

    void opensOnTheSelectedPointWithItsLevels()
    {
        QFETCH(int, levels);
        QFETCH(bool, doubleClick);
        ShowTable(levels);
        f.Press(4, {}, f.PointY());
        QCOMPARE(f.Win->SelectedPoint(), 4);
        m_analyte->Point(0).Values[0].Status = psDiscarded;
        m_analyte->Point(0).Values[1].Status = psNoValue;
        const auto command = [&] {
            const QPointF at(PointX(4, f.Win->ChartView().First), f.PointY());
            QMouseEvent twice(
                QEvent::MouseButtonDblClick, at, f.Win->PBox->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
            doubleClick ? void(QApplication::sendEvent(f.Win->PBox, &twice)) : f.Win->BtData->click();
        };
        OpenTable(
            [&](TWinShowData& t) {
                QCOMPARE(t.LB->count(), 10);
                QCOMPARE(t.LB->currentRow(), 4);
                QVERIFY(t.LB->item(4)->isSelected());
                QCOMPARE(Join(t.LblCQ2->isVisibleTo(&t), t.LblCQ3->isVisibleTo(&t)), Join(levels >= 2, levels >= 3));
                // A discarded level shows a red cross, a level without value no picture.
                const QImage shot = Grab(*t.LB->viewport());
                const QRect level0(t.LB->visualItemRect(t.LB->item(0)).topLeft() + QPoint(105, 2), QSize(14, 12));
                QVERIFY(CountPixels(shot, level0, QColor(220, 0, 0)) > 10);
                QCOMPARE(CountPixels(shot, level0.translated(60, 0), QColor(220, 0, 0)), 0);
                t.BtOK->click();
            },
            command);
        QVERIFY(f.Dialogs.Boxes.isEmpty()); // nothing to confirm
        QCOMPARE(f.Win->SelectedPoint(), -1);
        f.Press(6, {}, f.PointY()); // the next click selects again
        QCOMPARE(f.Win->SelectedPoint(), 6);
    }

    void doubleClickClosingThePopupOpensNoTable()
    {
        ShowTable();
        f.Press(4, {}, f.PointY(), Qt::RightButton);
        QVERIFY(f.Comment->isVisible());
        QTest::mouseClick(f.Comment.get(), Qt::LeftButton); // the first click of the two closes it
        QVERIFY(!f.Comment->isVisible());
        const QPointF at(PointX(4, f.Win->ChartView().First), f.PointY());
        QMouseEvent second(
            QEvent::MouseButtonDblClick, at, f.Win->PBox->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        second.setTimestamp(f.Comment->ClosedByPressAt() + 100);
        QApplication::sendEvent(f.Win->PBox, &second);
        QVERIFY(f.Dialogs.ExecutedWindows.isEmpty());
        QCOMPARE(f.Win->SelectedPoint(), 4); // a plain press on the point
    }

    // Line 3, then the line now at 5: confirmed, the 4th and 7th points go, at
    // once in the file; refused, every point stays and the table still closes with OK.
    void deletionsOnOk_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QList<float>>("left");
        QTest::newRow("confirmed") << int(mbOK) << QList<float> { 1, 2, 3, 5, 6, 8, 9, 10 };
        QTest::newRow("refused") << int(mbCancel) << QList<float> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 };
    }

    void deletionsOnOk()
    {
        QFETCH(int, answer);
        QFETCH(QList<float>, left);
        ShowTable();
        f.Dialogs.QueueAnswer(answer);
        const int result = OpenTable([&](TWinShowData& t) {
            t.BtDeleteAll->click(); // undone: every line back, nothing pending
            t.BtUndo->click();
            QCOMPARE(t.LB->count(), 10);
            SelectRow(t, 3);
            t.BtDelete->click();
            SelectRow(t, 5);
            QTest::keyClick(t.LB, Qt::Key_Delete);
            QCOMPARE(t.DeletedLines(), (QList<int> { 3, 5 }));
            t.BtOK->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Confirmation, "Irreversible deletion of 2 lines ?", mbOK | mbCancel);
        QCOMPARE(FirstValues(*m_analyte), left);
        QCOMPARE(m_analyte->AllPointsStats[0].N, left.size());
        QCOMPARE(QFile::exists(DataFileName(*f.Context)), answer == mbOK);
        QVERIFY(answer != mbOK || f.DataFileAsInMemory());
    }

    void doubleClickAsksThePasswordFirst_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("questions");
        QTest::newRow("wrong") << "NOPE" << 0;
        QTest::newRow("right") << "LAB" << 1;
    }

    void doubleClickAsksThePasswordFirst()
    {
        QFETCH(QString, typed);
        QFETCH(int, questions);
        ShowTable();
        f.Context->Config.Password = "LAB";
        f.Dialogs.QueueAnswer(mbCancel);
        OpenTable([&](TWinShowData& t) {
            f.Dialogs.QueueExec(TypePassword(typed));
            SelectRow(t, 2);
            t.LBDblClick();
        });
        int asked = 0;
        for (const auto& box : f.Dialogs.Boxes)
            asked += box.Text.startsWith("Edit and validate again");
        QCOMPARE(asked, questions);
        QCOMPARE(m_analyte->Count(), 10);
    }

    // A line current without being selected (as Qt makes it on focus, also
    // after "Delete selection") is no choice: nothing is edited or deleted.
    void editAndDeleteNeedASelectedLine()
    {
        ShowTable();
        const int result = OpenTable([](TWinShowData& t) {
            t.LB->setCurrentRow(2, QItemSelectionModel::NoUpdate);
            t.BtDelete->click();
            t.LB->setCurrentRow(0, QItemSelectionModel::NoUpdate);
            t.BtEdit->click();
            t.BtCancel->click();
        });
        QCOMPARE(f.Dialogs.OnlyBoxDifference(TMsgType::Error, "Select the line to edit.", mbYes), QString());
        QCOMPARE(Join(result, m_table->EditedPoint() == nullptr, m_analyte->Count()), Join(QDialog::Rejected, 1, 10));
    }

    // Two deletions pending, then the 6th line (6.0) edited: one question, both
    // deletions kept, the point in the entry form and still stored. Whatever
    // the user does next, the point is in the data file or in the queue.
    void correctedPointIsNeverLost_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QString>("stored"); // first values in the data file, then the queue's count
        // clang-format off
        QTest::newRow("killed before anything") << "" << "3 4 5 6 7 8 9 10 / 0";
        QTest::newRow("corrected run stored") << "store" << "3 4 5 6.4 7 8 9 10 / 0";
        QTest::newRow("corrected run sent to the queue") << "queue" << "3 4 5 7 8 9 10 / 1";
        QTest::newRow("form cleared") << "clear" << "3 4 5 6 7 8 9 10 / 0";
        QTest::newRow("another analyte") << "analyte" << "3 4 5 6 7 8 9 10 / 0";
        QTest::newRow("another line edited") << "edit" << "3 4 5 6 7 8 9 10 / 0";
        QTest::newRow("exit") << "exit" << "3 4 5 6 7 8 9 10 / 0";
        // clang-format on
    }
    void correctedPointIsNeverLost()
    {
        QFETCH(QString, road);
        QFETCH(QString, stored);
        TWinMain& w = ShowTable();
        f.AddAnalyte("Urea", 1, { { 1.0 } });
        f.Context->ListFifo.SetStore(FifoFileStore(f.Path("Vantorel.fif")));
        const QString date = TDataTable::DateTimeText(m_analyte->Point(5).DateTime);
        f.Dialogs.QueueAnswer(mbOK);
        OpenTable([&](TWinShowData& t) {
            SelectRow(t, 0);
            t.BtDelete->click();
            SelectRow(t, 0);
            t.BtDelete->click();
            SelectRow(t, 3);
            t.BtEdit->click();
        });
        QCOMPARE(f.Dialogs.Boxes.size(), 1);
        QCOMPARE(f.Dialogs.Boxes[0].Text,
            "Irreversible deletion of 2 lines.\r+ Edit and validate again the control point on " + date);
        QCOMPARE(w.EditValue[0]->text(), QString("6.0"));
        w.EditValue[0]->setText("6.4");
        const int answer = road == "store" ? QDialog::Accepted : QDialog::Rejected;
        f.Dialogs.QueueExec([answer](QDialog&) { return answer; });
        if (road == "store" || road == "queue")
            w.BtOKEnter->click();
        else if (road == "clear")
            w.BtRAZEntryFields->click();
        else if (road == "analyte")
            w.LBAnalytes->setCurrentRow(1), w.LBAnalytesClick();
        else if (road == "edit")
            OpenTable([](TWinShowData& t) { SelectRow(t, 0), t.BtEdit->click(); });
        if (!road.isEmpty()) { // then Exit, which writes every file
            f.Dialogs.QueueAnswer(mbOK);
            QVERIFY(w.close());
            QVERIFY(f.Context->Document().Save(TFile::Data | TFile::Queue).Ok());
        }
        auto saved = MakeTestContext();
        saved->ListFifo.SetStore(FifoFileStore(f.Path("Vantorel.fif")));
        QVERIFY(LoadData(*saved, DataFileName(*f.Context)) && (saved->ListFifo.Load() || road != "queue"));
        QStringList values;
        for (float value : FirstValues(*saved->ListAnalytes.FindByName("Glucose")))
            values << QString::number(value);
        QCOMPARE(values.join(' ') + " / " + QString::number(saved->ListFifo.Count()), stored);
        if (saved->ListFifo.Count() == 1)
            QCOMPARE(saved->ListFifo.Item(0).Values[0].Value, 6.4f);
    }
};

VANTOREL_TEST(TestWinShowData)
#include "TestWinShowData.moc"
