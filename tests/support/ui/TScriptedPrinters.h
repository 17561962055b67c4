#pragma once
#include "TDailyAnalyte.h"
#include "TPdfCanvas.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TScriptedDialogs.h"
#include "TestHelpers.h"

#include <QStringList>
#include <QTemporaryDir>

// A printer service for tests: every job goes to one PDF file, or, when a
// cancel is queued, the choice is cancelled. Records the job titles asked.
class TScriptedPrinters : public TPrinterService {
public:
    explicit TScriptedPrinters(const QString& pdfFile)
        : m_file(pdfFile)
    {
    }
    void QueueCancel() { ++m_cancels; }
    std::unique_ptr<TPrintCanvas> ChoosePrinter(const QString& jobTitle, QWidget*) override
    {
        JobTitles.append(jobTitle);
        if (m_cancels > 0 && m_cancels--)
            return nullptr;
        return std::make_unique<TPdfCanvas>(m_file);
    }

    QStringList JobTitles;

private:
    QString m_file;
    int m_cancels = 0;
};

// A print window shown on the current analyte "Glucose" of daily points at
// noon up to yesterday (March 14, 2026), its levels on the materials
// "Lyphocheck 1" to "Lyphocheck 3", printing to File.
template <class TWindow> struct TPrintWindowFixture {
    std::unique_ptr<TQCContext> Context = MakeTestContext();
    QTemporaryDir Dir;
    QString File = Dir.filePath("print.pdf");
    TScriptedDialogs Dialogs;
    TScriptedPrinters Printers { File };
    TWindow Win { *Context, Dialogs, Printers };
    TPrintWindowFixture(int levels, int points)
    {
        for (const char* name : { "Lyphocheck 1", "Lyphocheck 2", "Lyphocheck 3" })
            Context->ListSerum.Add(name, "A1");
        Context->CurrentAnalyte = &AddDailyAnalyte(*Context, "Glucose", levels, points, Context->Clock().TodayDays());
        Win.show();
    }
};
