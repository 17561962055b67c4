#include "TPrinterService.h"
#include "TKitMessages.h"

#include "TDialogService.h"
#include "TPainterCanvas.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
// The printing layer on the chosen printer; the job title becomes the
// printer's document name.
class TPrinterCanvas : public TPainterCanvas {
public:
    explicit TPrinterCanvas(QPrinter& printer)
        : TPainterCanvas(printer)
        , m_printer(printer)
    {
    }

protected:
    void SetJobTitle(const QString& title) override { m_printer.setDocName(title); }

private:
    QPrinter& m_printer;
};
}

TQtPrinterService::TQtPrinterService(TDialogService& dialogs)
    : m_dialogs(dialogs)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
}

TQtPrinterService::~TQtPrinterService() = default;

QString TPrintJob::FileName() const
{
    QStringList parts { Analyte, Report, Date.toString(Qt::ISODate) };
    parts.removeAll(QString());
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    return parts.join(QLatin1Char('-')).replace(unfit, QStringLiteral("_")) + QStringLiteral(".pdf");
}

std::unique_ptr<TPrintCanvas> TQtPrinterService::ChoosePrinter(const TPrintJob& job, QWidget* parent)
{
    if (!job.Title.isEmpty())
        m_printer->setDocName(job.Title);
    // The last job went to a file, or there is no printer to go to: the
    // dialog opens on "Print to File" with this job's own name.
    if (!m_printer->outputFileName().isEmpty() || QPrinterInfo::availablePrinters().isEmpty())
        m_printer->setOutputFileName(
            QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(job.FileName()));
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setWindowTitle(job.Title);
    if (m_dialogs.Exec(dialog) != QDialog::Accepted)
        return nullptr;
    const QString file = m_printer->outputFileName();
    if (!file.isEmpty() && QFileInfo::exists(file)
        && !m_dialogs.Ask(KitMessages::ReplaceFile, parent, QDir::toNativeSeparators(file)))
        return nullptr;
    return std::make_unique<TPrinterCanvas>(*m_printer);
}
