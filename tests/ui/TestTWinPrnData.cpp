#include "TDailyAnalyte.h"
#include "TDates.h"
#include "TPdfText.h"
#include "TScriptedDialogs.h"
#include "TScriptedPrinters.h"
#include "TTestRegistry.h"
#include "TWinPrnData.h"
#include "TestHelpers.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The data printing window driven through its pickers and buttons, printing
// to a PDF file. Glucose has ten daily points at noon, March 5 to 14.
class TestTWinPrnData : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void printButtonOutcome_data();
    void printButtonOutcome();

private:
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
    std::unique_ptr<TScriptedPrinters> m_printers;
    std::unique_ptr<TWinPrnData> m_win;
};

void TestTWinPrnData::init()
{
    m_context = MakeTestContext();
    m_context->ListSerum.Add("Lyphocheck 1", "A1");
    m_context->CurrentAnalyte = &AddDailyAnalyte(*m_context, "Glucose", 1, 10, m_context->Clock().TodayDays());
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<TScriptedDialogs>();
    m_printers = std::make_unique<TScriptedPrinters>(m_dir->filePath("data.pdf"));
    m_win = std::make_unique<TWinPrnData>(*m_context, *m_dialogs, *m_printers);
}

void TestTWinPrnData::cleanup()
{
    m_win.reset();
    m_printers.reset();
    m_dialogs.reset();
    m_dir.reset();
    m_context.reset();
}

void TestTWinPrnData::printButtonOutcome_data()
{
    QTest::addColumn<int>("day1");
    QTest::addColumn<int>("day2");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("printed");
    QTest::newRow("three days in the wrong order") << 12 << 10 << false << "3"
                                                   << "" << true;
    QTest::newRow("no point between the dates") << 16 << 20 << false << "0"
                                                << "Nothing to print" << false;
    QTest::newRow("print dialog cancelled") << 10 << 12 << true << "3"
                                            << "" << false;
}

void TestTWinPrnData::printButtonOutcome()
{
    QFETCH(int, day1);
    QFETCH(int, day2);
    QFETCH(bool, cancel);
    QFETCH(QString, box);
    QFETCH(bool, printed);
    m_win->show();
    QCOMPARE(m_win->PanelNbLines->text(), QString("10"));
    QVERIFY(m_win->CBPrnStats->isChecked());
    m_win->DatePicker1->setDate(QDate(2026, 3, day1));
    m_win->DatePicker2->setDate(QDate(2026, 3, day2));
    QTEST(m_win->PanelNbLines->text(), "count");
    m_win->CBPrnStats->setChecked(false);
    if (cancel)
        m_printers->QueueCancel();
    QTest::mouseClick(m_win->BtPrint, Qt::LeftButton);
    if (box.isEmpty())
        QCOMPARE(m_dialogs->Boxes.size(), 0);
    else
        QCOMPARE(m_dialogs->OnlyBoxDifference(TMsgType::Error, box, mbYes), QString());
    QCOMPARE(m_printers->JobTitles, box.isEmpty() ? QStringList { "Printing QC data" } : QStringList {});
    QCOMPARE(m_win->isVisible(), !printed);
    QCOMPARE(QFile::exists(m_dir->filePath("data.pdf")), printed);
    if (printed) {
        const QString text = PdfText(m_dir->filePath("data.pdf"));
        for (int day = 9; day <= 13; ++day) // the points of the 10th to the 12th only
            QCOMPARE(text.contains(ShortDateText(DateToDayCount(QDate(2026, 3, day)))), day >= 10 && day <= 12);
        QVERIFY(!text.contains("Statistics"));
    }
}

VANTOREL_TEST(TestTWinPrnData)
#include "TestTWinPrnData.moc"
