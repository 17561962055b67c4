#pragma once
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
    std::unique_ptr<TPrintCanvas> ChoosePrinter(const QString& jobTitle, QWidget* parent) override;

    QStringList JobTitles;

private:
    QString m_file;
    int m_cancels = 0;
};
