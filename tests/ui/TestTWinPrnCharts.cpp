#include "TDailyAnalyte.h"
#include "TPdfText.h"
#include "TScriptedDialogs.h"
#include "TScriptedPrinters.h"
#include "TTestRegistry.h"
#include "TWinPrnCharts.h"
#include "TestHelpers.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The chart printing window driven through its boxes and buttons, printing
// to a PDF file.
class TestTWinPrnCharts : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void levelBoxesFollowTheAnalyte_data();
    void levelBoxesFollowTheAnalyte();
    void colourChoiceIsKeptInTheSettings();
    void printButtonOutcome_data();
    void printButtonOutcome();

private:
    void Open(int levels);
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
    std::unique_ptr<TScriptedPrinters> m_printers;
    std::unique_ptr<TWinPrnCharts> m_win;
};

void TestTWinPrnCharts::init()
{
    m_context = MakeTestContext();
    for (const char* name : { "Lyphocheck 1", "Lyphocheck 2", "Lyphocheck 3" })
        m_context->ListSerum.Add(name, "A1");
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<TScriptedDialogs>();
    m_printers = std::make_unique<TScriptedPrinters>(m_dir->filePath("charts.pdf"));
    m_win = std::make_unique<TWinPrnCharts>(*m_context, *m_dialogs, *m_printers);
}

void TestTWinPrnCharts::cleanup()
{
    m_win.reset();
    m_printers.reset();
    m_dialogs.reset();
    m_dir.reset();
    m_context.reset();
}

void TestTWinPrnCharts::Open(int levels)
{
    m_context->CurrentAnalyte = &AddDailyAnalyte(*m_context, "Glucose", levels, 40, m_context->Clock().TodayDays());
    m_win->show();
}

void TestTWinPrnCharts::levelBoxesFollowTheAnalyte_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<QString>("boxes"); // caption, then shown, ticked and enabled as 1 or 0
    QTest::newRow("one level cannot be cleared") << 1 << "Lyphocheck 1 110 0 0 ";
    QTest::newRow("three levels") << 3 << "Lyphocheck 1 111 Lyphocheck 2 111 Lyphocheck 3 111 ";
}

void TestTWinPrnCharts::levelBoxesFollowTheAnalyte()
{
    QFETCH(int, levels);
    Open(levels);
    QString boxes;
    for (const QCheckBox* box : m_win->CBLevels)
        boxes += box->isVisible()
            ? QStringLiteral("%1 1%2%3 ").arg(box->text()).arg(box->isChecked()).arg(box->isEnabled())
            : QStringLiteral("0 ");
    QTEST(boxes, "boxes");
    QCOMPARE(m_win->PanelNbPoints->text(), QString("40"));
}

void TestTWinPrnCharts::colourChoiceIsKeptInTheSettings()
{
    Open(1);
    QVERIFY(!m_win->CBColor->isChecked());
    QTest::mouseClick(m_win->CBColor, Qt::LeftButton);
    QVERIFY(m_context->Config.PrintInColour);
    m_win->hide();
    m_win->show();
    QVERIFY(m_win->CBColor->isChecked());
}

void TestTWinPrnCharts::printButtonOutcome_data()
{
    QTest::addColumn<bool>("clearLevels");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("printed");
    QTest::newRow("two of three levels") << false << false << "" << int(QDialog::Accepted) << true;
    QTest::newRow("no level ticked") << true << false << "Nothing to print" << int(QDialog::Rejected) << false;
    QTest::newRow("print dialog cancelled") << false << true << "" << -1 << false;
}

void TestTWinPrnCharts::printButtonOutcome()
{
    QFETCH(bool, clearLevels);
    QFETCH(bool, cancel);
    QFETCH(QString, box);
    QFETCH(int, result);
    QFETCH(bool, printed);
    Open(3);
    m_win->setResult(-1);
    m_win->CBLevels[1]->setChecked(false);
    if (clearLevels) {
        m_win->CBLevels[0]->setChecked(false);
        m_win->CBLevels[2]->setChecked(false);
    }
    if (cancel)
        m_printers->QueueCancel();
    QTest::mouseClick(m_win->BtPrint, Qt::LeftButton);
    if (box.isEmpty())
        QCOMPARE(m_dialogs->Boxes.size(), 0);
    else
        QCOMPARE(m_dialogs->OnlyBoxDifference(TMsgType::Error, box, mbYes), QString());
    QCOMPARE(m_printers->JobTitles, box.isEmpty() ? QStringList { "Printing QC charts" } : QStringList {});
    QCOMPARE(m_win->result(), result);
    QCOMPARE(m_win->isVisible(), result == -1);
    QCOMPARE(QFile::exists(m_dir->filePath("charts.pdf")), printed);
    if (printed) {
        const QString text = PdfText(m_dir->filePath("charts.pdf"));
        QVERIFY(text.contains("Lyphocheck 1 (A1)") && text.contains("Lyphocheck 3 (A1)"));
        QVERIFY(!text.contains("Lyphocheck 2"));
    }
}

VANTOREL_TEST(TestTWinPrnCharts)
#include "TestTWinPrnCharts.moc"
