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
    const QString file = dir.filePath("chosen.pdf");
    TScriptedDialogs dialogs;
    TQtPrinterService service(dialogs);
    QString offered = "none";
    const auto printTo = [&](const QString& chosen) {
        return [&, chosen](QDialog& d) {
            QPrinter* printer = static_cast<QPrintDialog&>(d).printer();
            offered = printer->outputFileName();
            printer->setOutputFileName(chosen);
            return int(chosen.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
        };
    };
    dialogs.QueueExec(printTo(file));
    std::unique_ptr<TPrintCanvas> canvas = service.ChoosePrinter("Printing QC data", nullptr);
    QVERIFY(canvas && canvas->BeginDoc("Printing QC data", TOrientation::Portrait));
    canvas->TextOut(100, 100, "Glucose");
    QVERIFY(canvas->EndDoc());
    QVERIFY(PdfText(file).contains("Glucose"));
    // The next print offers the same file; Cancel gives nothing to print on.
    dialogs.QueueExec(printTo(QString()));
    QVERIFY(!service.ChoosePrinter("Printing QC charts", nullptr));
    QCOMPARE(offered, file);
    QCOMPARE(dialogs.ExecutedWindows, QStringList({ "PrintDialog", "PrintDialog" }));
}

VANTOREL_TEST(TestTPrinterService)
#include "TestTPrinterService.moc"
