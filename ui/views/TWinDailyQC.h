#pragma once
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QListWidget;
class QPushButton;
class TDialogService;
class TPictures;
class TPrinterService;
class TQCContext;

// The QC of one day across all analytes, the day chosen on a calendar
// (today at each showing), printed as the cumulative daily report. Changes
// no data. Made once and reused.
class TWinDailyQC : public QDialog {
    Q_OBJECT
public:
    TWinDailyQC(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent = nullptr);
    ~TWinDailyQC() override;

    static constexpr int LineHeight = 13;

    // The marks drawn on the lines; none while not given.
    const TPictures* Pictures = nullptr;

    // Handlers
    // Today on the calendar, its points listed (also "&Today").
    void FormActivate();
    // Lists the points of the calendar's day.
    void CalendarChange();
    // "Nothing to print" with an empty list; else the report printed and the window closed.
    void BtPrnClick();

    QLabel* Panel4;
    QLabel* LblDate;
    QLabel* lblCQ1;
    QLabel* LblCQ2;
    QLabel* LblCQ3;
    QLabel* LblOperator;
    QLabel* LblComment;
    QListWidget* LB;
    QLabel* Panel3;
    QCalendarWidget* Calendar;
    QPushButton* BtToday;
    QPushButton* BtOK;
    QPushButton* BtPrn;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The calendar keeps Enter for itself: it reaches the window here.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPrinterService& m_printers;
};
