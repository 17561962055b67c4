#include "TArchive.h"
#include "TDataFile.h"
#include "TDataTable.h"
#include "TDates.h"
#include "TKeyButton.h"
#include "TMainWindowFixture.h"
#include "TPdfText.h"
#include "TScriptedDialogs.h"
#include "TTabListDelegate.h"
#include "TTestRegistry.h"
#include "TWinArchives.h"
#include "TWinImport.h"
#include "TWinShowArchive.h"
#include "TWinShowData.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

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

double Day0() { return DateToDayCount(QDate(2026, 3, 15)); }

QString Line(int day, const QString& levels, const QString& time = "08:00:00")
{
    return ShortDateText(Day0() + day) + "\t" + time + "\t" + levels + "\r\n";
}
} // namespace

// The windows over the stored points opened from the main window: the data table (opened on
// the selected point, deletions and the correction road), the archives window with the archive
// view on real archive files in the program folder, and the import window (its two loadings, its
// list drawing and the adding; its copy is checked on a real clipboard, TestClipboardExchange).
// Which lines a deletion takes, what an archive holds and how a QC text reads are core's
// (TestDataTable, TestArchive, TestQCText).
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
    std::unique_ptr<TWinImport> m_import;

    // The import window on the current analyte, Glucose on three levels shown with one decimal.
    void ShowImport()
    {
        f.Context->CurrentAnalyte = &f.Context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 1, 3));
        m_import = std::make_unique<TWinImport>(*f.Context, f.Dialogs);
    }
    bool ArchiveExists(int number) const { return QFile::exists(ArchiveFileName(f.Context->ProgramFolder(), number)); }

private slots:
    void init() { QVERIFY(f.Reset()); }
    void cleanup()
    {
        m_table.reset();
        m_archives.reset();
        m_view.reset();
        m_import.reset();
        QGuiApplication::clipboard()->clear();
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
                QCOMPARE(t.LB->width(), TDataTable::ListWidth(levels));
                QCOMPARE(t.LblCQ2->isVisibleTo(&t), levels >= 2);
                QCOMPARE(t.LblCQ3->isVisibleTo(&t), levels >= 3);
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
    void importLoading_data()
    {
        QTest::addColumn<QString>("source"); // a clipboard format, or "file"
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("pending");
        const QString clipboard = u"ClipBoard contents"_s, file = u"Imported file contents"_s;
        const QString d0 = ShortDateText(Day0()), d1 = ShortDateText(Day0() + 1), d5 = ShortDateText(Day0() + 5);
        QTest::newRow("clipboard text, shown with the analyte's decimals")
            << u"text/plain"_s
            << ("Date\tTime\tQC1\r\n" + Line(0, "5.26\t\t12") + Line(1, "Discarded\t4.5", "x") + Line(2, "n/a"))
                   .toUtf8()
            << clipboard << QStringList { d0 + "\t08:00:00\t5.3\t\t12.0", d1 + "\t12:00:00\t\t4.5" } << 2;
        QTest::newRow("clipboard bytes end at a zero byte")
            << u"text/plain"_s << (Line(0, "1") + '\0' + Line(1, "2")).toUtf8() << clipboard
            << QStringList { d0 + "\t08:00:00\t1.0" } << 1;
        QTest::newRow("clipboard without text") << u"image/png"_s << QByteArray("12") << clipboard
                                                << QStringList { "Nothing to paste from the clipboard" } << 0;
        QTest::newRow("file") << u"file"_s << Line(5, "7").toUtf8() << file << QStringList { d5 + "\t08:00:00\t7.0" }
                              << 1;
        QTest::newRow("empty file") << u"file"_s << QByteArray() << file << QStringList {} << 0;
    }

    void importLoading()
    {
        ShowImport();
        QFETCH(QString, source);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QStringList, lines);
        QFETCH(int, pending);
        m_import->ShowImportedText(Line(0, "1") + Line(1, "2") + Line(2, "3")); // replaced by the next loading
        if (source == "file") {
            m_import->ShowImportedText(QString::fromUtf8(bytes));
        } else {
            auto* data = new QMimeData;
            data->setData(source, bytes);
            QGuiApplication::clipboard()->setMimeData(data);
            QCOMPARE(m_import->PasteFromClipboard(), pending > 0);
        }
        QCOMPARE(m_import->windowTitle(), title);
        QStringList shown;
        for (int i = 0; i < m_import->LB->count(); ++i)
            shown << m_import->LB->item(i)->text();
        QCOMPARE(shown, lines);
        QCOMPARE(int(m_import->PendingResults().size()), pending);
    }

    void importLinesAreDrawnAtTheTabStops()
    {
        ShowImport();
        m_import->ShowImportedText(Line(0, "1") + Line(1, "2") + Line(2, "3"));
        m_import->show();
        m_import->LB->setCurrentRow(0); // the list keeps its colours under the selection
        const QImage image = Grab(*m_import->LB->viewport());
        const int h = TWinImport::LineHeight, right = image.width() - 5; // right of every field
        QCOMPARE(image.pixelColor(right, 6), QColor(Qt::white));
        QCOMPARE(image.pixelColor(right, h + 6), TTabListDelegate::LightCyan);
        QCOMPARE(image.pixelColor(right, 2 * h + 6), QColor(Qt::white));
        // Each field's ink starts at its stop, nothing between the date and the next stop.
        const QFontMetrics metrics(m_import->LB->font());
        const int dateEnd = metrics.horizontalAdvance(ShortDateText(Day0())) + 2;
        QVERIFY(dateEnd < 80);
        QCOMPARE(CountInk(image, QRect(dateEnd, 1, 80 - dateEnd, h - 1)), 0);
        for (const QRect& ink : { QRect(0, 1, 4, h - 1), QRect(80, 1, 4, h - 1), QRect(160, 1, 6, h - 1) })
            QVERIFY(CountInk(image, ink) > 0);
        // A field running past a stop pushes the next one to the stop after.
        QString wide = "W";
        while (metrics.horizontalAdvance(wide) <= 80)
            wide += 'W';
        QVERIFY(metrics.horizontalAdvance(wide) < 160);
        QCOMPARE(m_import->LBDrawItem->FieldPositions(wide + "\tb", metrics), (QList<int> { 0, 160 }));
    }

    void importAdding_data()
    {
        QTest::addColumn<bool>("pointsKept"); // the analyte holds a point already
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("added");
        QTest::newRow("to an empty analyte: no question") << false << 0 << true;
        QTest::newRow("to kept points: asked, OK") << true << int(mbOK) << true;
        QTest::newRow("to kept points: asked, Cancel") << true << int(mbCancel) << false;
    }

    void importAdding()
    {
        ShowImport();
        QFETCH(bool, pointsKept);
        QFETCH(int, answer);
        QFETCH(bool, added);
        if (pointsKept)
            f.Context->CurrentAnalyte->AddPoint(MakeResult(Day0() - 3, 5));
        const std::array<quint8, 3> modes { lmFixed, lmLocked, lmFixed };
        f.Context->CurrentAnalyte->LimitMode = modes;
        m_import->ShowImportedText(Line(1, "5\t10") + Line(0, "6\t11"));
        m_import->show();
        f.Dialogs.QueueAnswer(answer);
        m_import->BtAdd->click();
        if (pointsKept)
            QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Confirmation,
                u"Add the new QC points to the previous ones\rThe QC mode will be reset to mobile"_s, mbOK | mbCancel);
        else
            QVERIFY(f.Dialogs.Boxes.isEmpty());
        QCOMPARE(m_import->result(), added ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QVERIFY(!m_import->isVisible());
        QCOMPARE(f.Context->CurrentAnalyte->Count(), (pointsKept ? 1 : 0) + (added ? 2 : 0));
        const std::array<quint8, 3> mobile { lmMobile, lmMobile, lmMobile };
        QCOMPARE(f.Context->CurrentAnalyte->LimitMode, added ? mobile : modes);
        QCOMPARE(m_import->PendingResults().size(), size_t(2)); // kept until the next loading
    }

    void importShowingNamesTheAnalyteAndLocksAdd()
    {
        ShowImport();
        f.Context->Config.Password = "LAB";
        m_import->show();
        QCOMPARE(m_import->BtAdd->text(), QString("&Add the QC data to Glucose"));
        QVERIFY(!m_import->BtAdd->isEnabled());
        f.Dialogs.QueueExec(TypePassword("lab"));
        m_import->BtCle->click();
        QVERIFY(m_import->BtAdd->isEnabled());
        QVERIFY(m_import->BtCle->isHidden());

        m_import->hide();
        f.Context->CurrentAnalyte = &f.Context->ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 1, 1));
        m_import->show();
        QCOMPARE(m_import->BtAdd->text(), QString("&Add the QC data to Urea"));
        QVERIFY(!m_import->BtAdd->isEnabled());
    }
};

VANTOREL_TEST(TestDataWindows)
#include "TestDataWindows.moc"
