#pragma once
#include <QString>
#include <memory>

class QPrinter;
class QWidget;
class TDialogService;
class TPrintCanvas;

// Where a print job goes. Every printing of the program asks here, so tests
// can print straight to a PDF file or play a cancelled choice.
class TPrinterService {
public:
    virtual ~TPrinterService() = default;
    // Asks where the job goes; the canvas to print on (owned by the caller,
    // its document not begun yet), or null when the user cancelled: nothing
    // is printed then.
    virtual std::unique_ptr<TPrintCanvas> ChoosePrinter(const QString& jobTitle, QWidget* parent) = 0;
};

// The platform's print dialog on one printer kept for the session, so that
// the printer, its settings and the file last chosen ("Print to File" as PDF)
// are offered again. The dialog runs through the dialog service.
class TQtPrinterService : public TPrinterService {
public:
    explicit TQtPrinterService(TDialogService& dialogs);
    ~TQtPrinterService() override;
    std::unique_ptr<TPrintCanvas> ChoosePrinter(const QString& jobTitle, QWidget* parent) override;
    QPrinter& Printer() const { return *m_printer; }

private:
    TDialogService& m_dialogs;
    std::unique_ptr<QPrinter> m_printer;
};
