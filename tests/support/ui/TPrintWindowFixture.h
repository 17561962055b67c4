#pragma once
#include "TPdfText.h"
#include "TPrinterService.h"
#include "TScriptedDialogs.h"
#include "TestHelpers.h"

#include <QAbstractButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A print window shown on the current analyte "Glucose" of daily points at noon up to March 14, 2026,
// its levels on "Lyphocheck 1" to "Lyphocheck 3", printing through the program's printer service
// whose print dialog the scripted dialog service answers.
template <class TWindow> struct TPrintWindowFixture {
    std::unique_ptr<TQCContext> Context = MakeTestContext();
    QTemporaryDir Dir;
    QString File = Dir.filePath("print.pdf");
    TScriptedDialogs Dialogs;
    TQtPrinterService Printers { Dialogs };
    TWindow Win { *Context, Dialogs, Printers };
    QStringList Asked; // each print dialog: its title, and the file it offered
    TPrintWindowFixture(int levels, int points)
    {
        for (const char* name : { "Lyphocheck 1", "Lyphocheck 2", "Lyphocheck 3" })
            Context->ListSerum.Add(name, "A1");
        Context->CurrentAnalyte = &AddDailyAnalyte(*Context, "Glucose", levels, points, Context->Clock().TodayDays());
        Win.show();
    }
    // The file "Print to File" offers for a job on this machine without printers.
    static QString Offered(const QString& name)
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/" + name;
    }
    // Answers the next print dialog with "Print to File" into File, or with Cancel.
    void AnswerPrintDialog(bool print)
    {
        Dialogs.QueueExec([this, print](QDialog& dialog) {
            QPrinter* printer = static_cast<QPrintDialog&>(dialog).printer();
            Asked << dialog.windowTitle() << printer->outputFileName();
            printer->setOutputFileName(File);
            return int(print ? QDialog::Accepted : QDialog::Rejected);
        });
    }
    // Clicks `button` with the next print dialog so answered; the text printed, empty when no file was written.
    QString Print(QAbstractButton* button, bool print = true)
    {
        AnswerPrintDialog(print);
        QTest::mouseClick(button, Qt::LeftButton);
        return QFile::exists(File) ? PdfText(File) : QString();
    }
};
