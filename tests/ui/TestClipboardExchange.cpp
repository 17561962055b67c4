#include "TArchive.h"
#include "TDates.h"
#include "TPictures.h"
#include "TScriptedDialogs.h"
#include "TWinImport.h"
#include "TWinMain.h"
#include "TestHelpers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

// The real clipboard of an X display, shared with other programs: text copied
// from Vantorel is read by another client as TAB-separated columns, and a block
// put on the clipboard by another client (as a spreadsheet does) pastes in.
// The test runs on its own Xvfb display; xclip stands for the other program.
namespace {
class TXvfb {
public:
    ~TXvfb()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(3000))
                m_server.kill();
        }
    }
    // Starts a server on a display it picks itself; false when Xvfb is missing or fails.
    bool Start()
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            return false;
        m_server.start("Xvfb", { "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24" });
        if (!m_server.waitForStarted(5000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (!m_server.canReadLine() && timer.elapsed() < 10000)
            m_server.waitForReadyRead(500);
        const QByteArray line = m_server.readLine().trimmed();
        bool ok = false;
        line.toInt(&ok);
        if (!ok)
            return false;
        m_display = ":" + line;
        return true;
    }
    const QByteArray& Display() const { return m_display; }

private:
    QProcess m_server;
    QByteArray m_display;
};

bool g_onXvfb = false;

// Runs a process while the event loop turns, so that this program can answer
// the other client's clipboard requests.
bool RunWithEvents(QProcess& process, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (process.state() != QProcess::NotRunning && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
}

class TestClipboardExchange : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void copiedAnalyteReadsAsColumns();
    void spreadsheetBlockPastesIn();

private:
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
    TPictures m_pictures;
    std::unique_ptr<TWinMain> m_win;
    std::unique_ptr<TWinImport> m_import;
    TAnalyte* m_analyte = nullptr;
};

void TestClipboardExchange::initTestCase()
{
    if (!g_onXvfb)
        QSKIP("Xvfb is not installed: no X display for the real clipboard");
    if (QStandardPaths::findExecutable("xclip").isEmpty())
        QFAIL("xclip is missing (scripts/install-deps.sh installs it)");
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    QVERIFY(m_pictures.Load());
}

void TestClipboardExchange::init()
{
    m_context = MakeTestContext();
    m_dialogs = TScriptedDialogs();
    m_analyte = &m_context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 2, 3));
    // The main window's Clipboard menu does the copy and the paste.
    m_win = std::make_unique<TWinMain>(*m_context, m_dialogs, m_pictures);
    m_import = std::make_unique<TWinImport>(*m_context, m_dialogs, m_win.get());
    m_win->WinImport = m_import.get();
    m_win->UpdateCommands();
    m_win->FillAnalyteList();
    QCOMPARE(m_context->CurrentAnalyte, m_analyte);
}

void TestClipboardExchange::cleanup()
{
    m_import.reset();
    m_win.reset();
    m_context.reset();
}

void TestClipboardExchange::copiedAnalyteReadsAsColumns()
{
    const double t0 = DateToDayCount(QDate(2026, 2, 27)) + 0.375;
    m_analyte->AddPoint(MakeResult(t0, 5.12, 7.5, 12.25, "AB", QString::fromUtf8("µ ok")));
    TResu0 discarded = MakeResult(t0 + 1, 5.3, 7.25, NAN, "CD");
    discarded.Values[0].Status = psDiscarded;
    m_analyte->AddPoint(discarded);

    m_win->MnuCopy->trigger();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(m_dialogs.Boxes[0].Type, TMsgType::Information);

    // Another program asks what the clipboard offers, then takes the text.
    QProcess targets;
    targets.start("xclip", { "-selection", "clipboard", "-o", "-t", "TARGETS" });
    QVERIFY(RunWithEvents(targets));
    const QByteArray offered = targets.readAllStandardOutput();
    QVERIFY2(offered.contains("UTF8_STRING"), offered.constData());
    QProcess out;
    out.start("xclip", { "-selection", "clipboard", "-o", "-t", "UTF8_STRING" });
    QVERIFY(RunWithEvents(out));
    const QString text = QString::fromUtf8(out.readAllStandardOutput());
    QCOMPARE(text, AsText(*m_analyte));

    // A spreadsheet splits it at CR LF and TAB: one row per point, one column per field.
    QVERIFY(text.endsWith("\r\n"));
    const QStringList rows = text.chopped(2).split("\r\n");
    QCOMPARE(rows.size(), 2);
    const QStringList first = rows[0].split('\t');
    QCOMPARE(first,
        (QStringList {
            ShortDateText(t0), LongTimeText(t0), "5.12", "7.50", "12.25", "AB", QString::fromUtf8("µ ok") }));
    const QStringList second = rows[1].split('\t');
    QCOMPARE(second.size(), 7);
    QCOMPARE(second[2], QString("Discarded"));
    QCOMPARE(second[4], QString());
}

void TestClipboardExchange::spreadsheetBlockPastesIn()
{
    // A block as a spreadsheet on this system puts it: UTF-8, LF line ends, a row of titles.
    const QString d1 = ShortDateText(DateToDayCount(QDate(2026, 3, 2)));
    const QString d2 = ShortDateText(DateToDayCount(QDate(2026, 3, 3)));
    const QString block = QString::fromUtf8("Date\tTime\tQC1 µmol/L\tQC2\n") + d1 + "\t08:15:00\t5,42\t12.1\n" + d2
        + "\t\tDiscarded\t11.9\n";
    QProcess xclip;
    xclip.start("xclip", { "-selection", "clipboard", "-i", "-quiet" });
    QVERIFY(xclip.waitForStarted(5000));
    xclip.write(block.toUtf8());
    xclip.closeWriteChannel();
    // The other program owns the clipboard once its text is offered here.
    QClipboard* clipboard = QGuiApplication::clipboard();
    QTRY_VERIFY_WITH_TIMEOUT(!clipboard->ownsClipboard() && clipboard->text() == block, 10000);

    QStringList lines;
    m_dialogs.QueueExec([&lines](QDialog& dialog) {
        auto& import = static_cast<TWinImport&>(dialog);
        for (int i = 0; i < import.LB->count(); ++i)
            lines << import.LB->item(i)->text();
        import.BtAdd->click();
        return dialog.result();
    });
    m_win->MnuPaste->trigger();
    xclip.kill();
    xclip.waitForFinished(3000);
    QCOMPARE(m_dialogs.ExecutedWindows, QStringList { "TWinImport" });
    QVERIFY(m_dialogs.Boxes.isEmpty()); // an analyte without points: no question
    QCOMPARE(lines, (QStringList { d1 + "\t08:15:00\t5.42\t12.10", d2 + "\t12:00:00\t\t11.90" }));
    QCOMPARE(m_analyte->Count(), 2);
    QCOMPARE(m_analyte->Point(0).Values[0].Value, 5.42f);
    QCOMPARE(int(m_analyte->Point(1).Values[0].Status), int(psNoValue));
    QCOMPARE_NEAR(m_analyte->Point(1).DateTime, DateToDayCount(QDate(2026, 3, 3)) + 0.5, 1e-12);
}

int main(int argc, char** argv)
{
    TXvfb xvfb;
    g_onXvfb = xvfb.Start();
    if (g_onXvfb) {
        qputenv("DISPLAY", xvfb.Display());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app(argc, argv);
    TestClipboardExchange test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "TestClipboardExchange.moc"
