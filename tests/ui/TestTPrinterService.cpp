#include "TPdfText.h"
#include "TPrintCanvas.h"
#include "TPrinterService.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

// The program's printer service: the print dialog through the dialog service,
// answered with "Print to File", then cancelled.
class TestTPrinterService : public QObject {
    Q_OBJECT
private slots:
    void printsToTheFileChosenAndOffersItAgain();
};

void TestTPrinterService::printsToTheFileChosenAndOffersItAgain()
{
    QTemporaryDir dir;
    TScriptedDialogs dialogs;
    TQtPrinterService service(dialogs);
    QStringList offered;
    for (const QString& chosen : { dir.filePath("chosen.pdf"), QString() }) // a file, then Cancel
        dialogs.QueueExec([&offered, chosen](QDialog& d) {
            QPrinter* printer = static_cast<QPrintDialog&>(d).printer();
            offered << printer->outputFileName();
            printer->setOutputFileName(chosen);
            return int(chosen.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
        });
    std::unique_ptr<TPrintCanvas> canvas = service.ChoosePrinter("Printing QC data", nullptr);
    QVERIFY(canvas && canvas->BeginDoc("Printing QC data", TOrientation::Portrait));
    canvas->TextOut(100, 100, "Glucose");
    QVERIFY(canvas->EndDoc());
    QVERIFY(PdfText(dir.filePath("chosen.pdf")).contains("Glucose"));
    QVERIFY(!service.ChoosePrinter("Printing QC charts", nullptr));
    QCOMPARE(offered, QStringList({ "", dir.filePath("chosen.pdf") })); // the file chosen is offered again
    QCOMPARE(dialogs.ExecutedWindows, QStringList({ "PrintDialog", "PrintDialog" }));
}

VANTOREL_TEST(TestTPrinterService)
#include "TestTPrinterService.moc"
