#pragma once
#include "TPdfCanvas.h"
#include "TPrinterService.h"

#include <QStringList>

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
