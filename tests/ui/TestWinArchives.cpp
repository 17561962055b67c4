#include "TAnalyte.h"
#include "TArchive.h"
#include "TMainWindowFixture.h"
#include "TPdfText.h"
#include "TWinArchives.h"
#include "TWinShowArchive.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

using namespace Qt::StringLiterals;

// On real archive files in the program folder; what an archive holds is core's (TestArchive).
class TestWinArchives : public TMainWindowTest {
    Q_OBJECT

    std::unique_ptr<TWinArchives> m_archives;
    std::unique_ptr<TWinShowArchive> m_view;
    TAnalyte* m_analyte = nullptr;

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
    void OpenArchives(const std::function<void(TWinArchives&)>& steps)
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
    void cleanup()
    {
        m_archives.reset();
        m_view.reset();
    }

    void emptyListOnlySays_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("show") << u"BtShowArchive"_s << u"Nothing to show"_s;
        QTest::newRow("print") << u"BtImprimer"_s << u"Nothing to print"_s;
    }

    void emptyListOnlySays()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        ShowArchives(0);
        OpenArchives([&](TWinArchives& w) {
            QCOMPARE(Join(w.windowTitle(), w.LBArchi->count()), "QC archives for Glucose 0");
            w.findChild<QPushButton*>(button)->click();
        });
        QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Error, text, mbYes);
    }

    // Archive 2's file is gone: lines 1 and 3 show archives 1 and 3; removing both
    // is undone by Cancel and kept by OK (numbers written to the data file at once).
    void deletionsTakeEffectOnOk_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("cancel") << false;
        QTest::newRow("ok") << true;
    }

    void deletionsTakeEffectOnOk()
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
        QCOMPARE(Join(ArchiveExists(1), ArchiveExists(3), f.DataFileAsInMemory()), Join(!ok, !ok, ok));
        QVERIFY(f.Dialogs.Boxes.isEmpty()); // no question asked
    }

    // The view shows the archive's points and summary; its printout puts the
    // points of one day under one date cell and the statistics after them.
    void viewAndPrintouts()
    {
        ShowArchives(1);
        const QString listPdf = f.Path("list.pdf");
        const QString archivePdf = f.Path("archive.pdf");
        QStringList shown;
        const auto view = [&](QDialog&) {
            shown << m_view->windowTitle() << QString::number(m_view->LB->count()) << m_view->LblNbre->text()
                  << m_view->PanelControlMaterial->text();
            AnswerPrintDialog(archivePdf);
            f.Printers->Printer().setPageOrientation(QPageLayout::Landscape);
            f.Printers->Printer().setDocName("Mine");
            m_view->BtImprimer->click(); // leaves the printer's orientation and job title
            shown << QString::number(f.Printers->Printer().pageLayout().orientation())
                  << f.Printers->Printer().docName();
            return int(QDialog::Accepted);
        };
        OpenArchives([&](TWinArchives& w) {
            w.LBArchi->setCurrentRow(0);
            f.Dialogs.QueueExec(view);
            w.BtShowArchive->click();
            AnswerPrintDialog(listPdf);
            w.BtImprimer->click();
        });
        QCOMPARE(shown, (QStringList { "Archived data for Glucose", "3", "3", "Lyphocheck 1", "1", "Mine" }));
        const QString list = PdfText(listPdf).simplified();
        QVERIFY2(list.contains("Archived statistics for Glucose Begin End Name Lot Mean CV Number"), qPrintable(list));
        const QString archive = PdfText(archivePdf);
        QVERIFY2(archive.contains("Lyphocheck 1 (111)"), qPrintable(archive));
        // The second day: once in the period line, once over its two points.
        QCOMPARE(archive.count(ShortDateText(TMainWindowFixture::Today() - 72)), 2);
        QCOMPARE(archive.count("Statistics"), 1);
    }
};

VANTOREL_TEST(TestWinArchives)
#include "TestWinArchives.moc"
