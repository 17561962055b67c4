#include "TPdfText.h"
#include "TPrintCanvas.h"
#include "TPrinterService.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

// The program's printer service: the print dialog through the dialog service,
// here answered with "Print to File" or Cancel.
class TestTPrinterService : public QObject {
    Q_OBJECT
private slots:
    void printsToTheFileChosenAndKeepsIt();
    void cancelGivesNoCanvas();
};

void TestTPrinterService::printsToTheFileChosenAndKeepsIt()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("chosen.pdf");
    TScriptedDialogs dialogs;
    TQtPrinterService service(dialogs);
    dialogs.QueueExec([&](QDialog& d) {
        QPrinter* printer = static_cast<QPrintDialog&>(d).printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        return int(QDialog::Accepted);
    });
    std::unique_ptr<TPrintCanvas> canvas = service.ChoosePrinter("Printing QC data", nullptr);
    QVERIFY(canvas);
    QVERIFY(canvas->BeginDoc("Printing QC data", TOrientation::Portrait));
    canvas->TextOut(100, 100, "Glucose");
    QVERIFY(canvas->EndDoc());
    QVERIFY(PdfText(file).contains("Glucose"));
    QCOMPARE(dialogs.ExecutedWindows, QStringList { "PrintDialog" });
    // The next print offers the same file.
    QString offered;
    dialogs.QueueExec([&](QDialog& d) {
        offered = static_cast<QPrintDialog&>(d).printer()->outputFileName();
        return int(QDialog::Rejected);
    });
    QVERIFY(!service.ChoosePrinter("Printing QC charts", nullptr));
    QCOMPARE(offered, file);
}

void TestTPrinterService::cancelGivesNoCanvas()
{
    TScriptedDialogs dialogs; // an unscripted window is cancelled
    TQtPrinterService service(dialogs);
    QVERIFY(!service.ChoosePrinter("Printing QC data", nullptr));
    QCOMPARE(dialogs.ExecutedWindows.size(), 1);
}

VANTOREL_TEST(TestTPrinterService)
#include "TestTPrinterService.moc"
