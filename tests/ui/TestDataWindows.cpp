#include "TArchive.h"
#include "TDataFile.h"
#include "TDataTable.h"
#include "TKeyButton.h"
#include "TMainWindowFixture.h"
#include "TPdfText.h"
#include "TTestRegistry.h"
#include "TWinArchives.h"
#include "TWinShowArchive.h"
#include "TWinShowData.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

using F = TMainWindowFixture;
using TTableStep = std::function<void(TWinShowData&)>;

// The first values of the analyte's points, in order.
QList<float> FirstValues(const TAnalyte& a)
{
    QList<float> values;
    for (int i = 0; i < a.Count(); ++i)
        values.append(a.Point(i).Values[0].Value);
    return values;
}

void SelectRow(TWinShowData& w, int row) { w.LB->setCurrentRow(row, QItemSelectionModel::ClearAndSelect); }

using TStep = std::function<void(TWinArchives&)>;

} // namespace

// The windows over the stored points opened from the main window: the data table (opened on
// the selected point, deletions and the correction road) and the archives window with the
// archive view on real archive files in the program folder. Which lines a deletion takes and
// what an archive holds are core's (TestDataTable, TestArchive).
class TestDataWindows : public QObject {
    Q_OBJECT

    F f;
    std::unique_ptr<TWinShowData> m_table;
    TAnalyte* m_analyte = nullptr;

    // Ten one-level points valued 1 .. 10, the main window shown on them with its data table.
    TWinMain& ShowTable(int levels = 1)
    {
        QList<QList<double>> values;
        for (int i = 1; i <= 10; ++i)
            values.append({ double(i), 20.0 + i, 30.0 + i });
        m_analyte = &f.AddAnalyte("Glucose", levels, values);
        TWinMain& w = f.Show();
        m_table = std::make_unique<TWinShowData>(*f.Context, f.Dialogs, f.Pictures());
        w.WinShowData = m_table.get();
        w.UpdateCommands();
        return w;
    }
    // "Data ta&ble" (or `command`) with the table driven by `steps`; gives the table's result.
    int OpenTable(const TTableStep& steps, const std::function<void()>& command = {})
    {
        int result = -1;
        f.Dialogs.QueueExec([&](QDialog& d) { return result = Driven<TWinShowData>(steps)(d); });
        command ? command() : f.Win->BtData->click();
        return result;
    }

    std::unique_ptr<TWinArchives> m_archives;
    std::unique_ptr<TWinShowArchive> m_view;

    // Glucose on three levels, two points on one day; `archived` levels archived (numbers 1, 2, 3).
    void ShowArchives(int archived)
    {
        m_analyte = &f.AddAnalyte("Glucose", 3, { { 5, 10, 15 }, { 5.2, 10.4, 15.6 } });
        m_analyte->AddPoint(MakeResult(m_analyte->Point(1).DateTime + 0.25, 5.4, 10.8, 16.2, "AB", "late"));
        for (int level = 0; level < archived; ++level)
            QCOMPARE(
                ArchiveLevel(*m_analyte, level, f.Context->ProgramFolder(), f.Context->ListSerum, f.Context->Risks()),
                level + 1);
        TWinMain& w = f.Show();
        m_archives = std::make_unique<TWinArchives>(*f.Context, f.Dialogs, *f.Printers);
        m_view = std::make_unique<TWinShowArchive>(*f.Context, f.Dialogs, *f.Printers);
        m_archives->WinShowArchive = m_view.get();
        w.WinArchives = m_archives.get();
        w.UpdateCommands();
    }
    void OpenArchives(const TStep& steps)
    {
        f.Dialogs.QueueExec(Driven<TWinArchives>(steps));
        f.Win->BtArchives->click();
    }
    void AnswerPrintDialog(const QString& file)
    {
        f.Dialogs.QueueExec([file](QDialog& dialog) {
            static_cast<QPrintDialog&>(dialog).printer()->setOutputFileName(file);
            return int(QDialog::Accepted);
        });
    }
    bool ArchiveExists(int number) const { return QFile::exists(ArchiveFileName(f.Context->ProgramFolder(), number)); }

private slots:
    void init() { QVERIFY(f.Reset()); }
    void cleanup()
    {
        m_table.reset();
        m_archives.reset();
        m_view.reset();
    }

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
                QCOMPARE(t.LB->width(), TDataTable::ListWidth(levels));
                QCOMPARE(t.LblCQ2->isVisibleTo(&t), levels >= 2);
                QCOMPARE(t.LblCQ3->isVisibleTo(&t), levels >= 3);
                t.BtOK->click();
            },
            command);
        QVERIFY(f.Dialogs.Boxes.isEmpty()); // nothing to confirm
        QCOMPARE(f.Win->SelectedPoint(), -1);
    }

    // A discarded level shows a red cross, a level without value no picture.
    void marksFollowTheStatuses()
    {
        ShowTable(2);
        m_analyte->Point(0).Values[0].Status = psDiscarded;
        m_analyte->Point(0).Values[1].Status = psNoValue;
        OpenTable([&](TWinShowData& t) {
            const QImage shot = Grab(*t.LB->viewport());
            const QRect line = t.LB->visualItemRect(t.LB->item(0));
            const QRect level0(line.left() + 105, line.top() + 2, 14, 12);
            QVERIFY(CountPixels(shot, level0, QColor(220, 0, 0)) > 10);
            QCOMPARE(CountPixels(shot, level0.translated(60, 0), QColor(220, 0, 0)), 0);
        });
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

    // With the password set, a double click asks it first; only the right one leads to the question.
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

    // Two deletions pending, then the 6th line edited: one question, both deletions
    // applied and kept, the point in the entry form; validated again it is back
    // with its new value.
    void correctionRoadEndToEnd()
    {
        TWinMain& w = ShowTable();
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
            "Irreversible deletion of 2 lines.\r+ Edit and validate again the control point on " + date.left(17));
        QCOMPARE(FirstValues(*m_analyte), (QList<float> { 3, 4, 5, 7, 8, 9, 10 }));
        QCOMPARE(w.EditValue[0]->text(), QString("6.0"));
        // The file still holds the point being corrected.
        auto saved = MakeTestContext();
        QVERIFY(LoadData(*saved, DataFileName(*f.Context)));
        QCOMPARE(FirstValues(saved->ListAnalytes.Item(0)), (QList<float> { 3, 4, 5, 6, 7, 8, 9, 10 }));

        w.EditValue[0]->setText("6.4");
        f.Dialogs.QueueExec([](QDialog&) { return int(QDialog::Accepted); });
        w.BtOKEnter->click();
        QCOMPARE(FirstValues(*m_analyte), (QList<float> { 3, 4, 5, 6.4f, 7, 8, 9, 10 }));
        QVERIFY(f.DataFileAsInMemory());
    }
    void emptyArchiveListOnlySays_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("show") << u"BtShowArchive"_s << u"Nothing to show"_s;
        QTest::newRow("print") << u"BtImprimer"_s << u"Nothing to print"_s;
    }
    void emptyArchiveListOnlySays()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        ShowArchives(0);
        OpenArchives([&](TWinArchives& w) {
            QCOMPARE(w.windowTitle(), QString("QC archives for Glucose"));
            QCOMPARE(w.LBArchi->count(), 0);
            w.findChild<QPushButton*>(button)->click();
        });
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Error, text, mbYes);
    }

    // Archive 2's file is gone: lines 1 and 3 show archives 1 and 3; removing both
    // is undone by Cancel and kept by OK (numbers written to the data file at once).
    void archiveDeletionsTakeEffectOnOk_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("cancel") << false;
        QTest::newRow("ok") << true;
    }
    void archiveDeletionsTakeEffectOnOk()
    {
        QFETCH(bool, ok);
        ShowArchives(3);
        QVERIFY(QFile::remove(ArchiveFileName(f.Context->ProgramFolder(), 2)));
        OpenArchives([&](TWinArchives& w) {
            w.LBArchi->selectAll();
            w.BtDelete->click();
            w.BtUndo->click(); // every line back, nothing pending
            QCOMPARE(w.LBArchi->count(), 2);
            w.LBArchi->selectAll();
            QTest::keyClick(w.LBArchi, Qt::Key_Delete);
            QCOMPARE(w.DeletedLines(), (QList<qint32> { 3, 1 }));
            QCOMPARE(w.LBArchi->count(), 0);
            (ok ? w.BtOK : w.BtCancel)->click();
        });
        QCOMPARE(m_analyte->Archives, (ok ? QList<qint32> { 2 } : QList<qint32> { 1, 2, 3 }));
        QCOMPARE(ArchiveExists(1) || ArchiveExists(3), !ok);
        QCOMPARE(ArchiveExists(1) && ArchiveExists(3), !ok);
        QCOMPARE(f.DataFileAsInMemory(), ok);
        QVERIFY(f.Dialogs.Boxes.isEmpty()); // no question asked
    }

    // The view shows the archive's points and summary; its printout puts the
    // points of one day under one date cell and the statistics after them.
    void archiveViewAndPrintouts()
    {
        ShowArchives(1);
        const QString listPdf = f.Path("list.pdf");
        const QString archivePdf = f.Path("archive.pdf");
        QStringList shown;
        const auto view = [&](QDialog&) {
            shown << m_view->windowTitle() << QString::number(m_view->LB->count()) << m_view->LblNbre->text()
                  << m_view->PanelControlMaterial->text();
            AnswerPrintDialog(archivePdf);
            m_view->BtImprimer->click();
            return int(QDialog::Accepted);
        };
        OpenArchives([&](TWinArchives& w) {
            w.LBArchi->setCurrentRow(0);
            f.Dialogs.QueueExec(view);
            w.BtShowArchive->click();
            AnswerPrintDialog(listPdf);
            w.BtImprimer->click();
        });
        QCOMPARE(shown, (QStringList { "Archived data for Glucose", "3", "3", "Lyphocheck 1" }));
        const QString list = PdfText(listPdf).simplified();
        QVERIFY2(list.contains("Archived statistics for Glucose Begin End Name Lot Mean CV Number"), qPrintable(list));
        const QString archive = PdfText(archivePdf);
        QVERIFY2(archive.contains("Lyphocheck 1 (111)"), qPrintable(archive));
        // The second day: once in the period line, once over its two points.
        QCOMPARE(archive.count(ShortDateText(F::Today() - 72)), 2);
        QCOMPARE(archive.count("Statistics"), 1);
    }
};

VANTOREL_TEST(TestDataWindows)
#include "TestDataWindows.moc"
