#include "TPrinterService.h"

#include "TDialogService.h"
#include "TPainterCanvas.h"

#include <QPrintDialog>
#include <QPrinter>

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

std::unique_ptr<TPrintCanvas> TQtPrinterService::ChoosePrinter(const QString& jobTitle, QWidget* parent)
{
    m_printer->setDocName(jobTitle);
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setWindowTitle(jobTitle);
    if (m_dialogs.Exec(dialog) != QDialog::Accepted)
        return nullptr;
    return std::make_unique<TPrinterCanvas>(*m_printer);
}
