#pragma once
#include <QDate>
#include <QString>
#include <memory>

class QPrinter;
class QWidget;
class TDialogService;
class TPrintCanvas;

// A print job: its title (empty leaves the printer's as it is), and what a
// PDF printed to a file is named after: "<analyte>-<report>-<date>.pdf".
struct TPrintJob {
    QString Title;
    QString Analyte; // none for a report of every analyte
    QString Report; // "data", "charts", "limits", "archives", "archive", "daily", "sigma"
    QDate Date;
    // The file name offered, without a folder; characters a file name cannot hold become "_".
    QString FileName() const;
};

// Where a print job goes. Every printing of the program asks here, so tests
// can print straight to a PDF file or play a cancelled choice.
class TPrinterService {
public:
    virtual ~TPrinterService() = default;
    // Asks where the job goes; the canvas to print on (owned by the caller,
    // its document not begun yet), or null when the user cancelled: nothing
    // is printed then.
    virtual std::unique_ptr<TPrintCanvas> ChoosePrinter(const TPrintJob& job, QWidget* parent) = 0;
};

// The platform's print dialog on one printer kept for the session, so that
// the printer and its settings are offered again. "Print to File" offers the
// job's own file name in the user's documents folder, never the file chosen
// last, and an existing file is replaced only when the user agrees. The
// dialog and the question run through the dialog service.
class TQtPrinterService : public TPrinterService {
public:
    explicit TQtPrinterService(TDialogService& dialogs);
    ~TQtPrinterService() override;
    std::unique_ptr<TPrintCanvas> ChoosePrinter(const TPrintJob& job, QWidget* parent) override;
    QPrinter& Printer() const { return *m_printer; }

private:
    TDialogService& m_dialogs;
    std::unique_ptr<QPrinter> m_printer;
};
