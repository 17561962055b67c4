#include "TAnalyte.h"
#include "TArchive.h"
#include "TDates.h"
#include "TScriptedDialogs.h"
#include "TWinImport.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>

// The real clipboard of an X display, shared with other programs: text copied
// from Vantorel is read by another client as TAB-separated columns, and a block
// put on the clipboard by another client (as a spreadsheet does) pastes in.
// The test runs on its own Xvfb display; xclip stands for the other program.
namespace {
class TXvfb {
public:
    ~TXvfb()
    {
        m_server.terminate();
        if (!m_server.waitForFinished(3000))
            m_server.kill();
    }
    // Starts a server on a display it picks itself; false when Xvfb is missing or fails.
    bool Start()
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            return false;
        m_server.start("Xvfb", { "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24" });
        QElapsedTimer timer;
        timer.start();
        while (m_server.waitForStarted(5000) && !m_server.canReadLine() && timer.elapsed() < 10000)
            m_server.waitForReadyRead(500);
        const QByteArray line = m_server.readLine().trimmed();
        bool ok = false;
        line.toInt(&ok);
        m_display = ":" + line;
        return ok;
    }
    const QByteArray& Display() const { return m_display; }

private:
    QProcess m_server;
    QByteArray m_display;
};

bool g_onXvfb = false;

// Runs xclip while the event loop turns, so that this program can answer its
// clipboard requests; its output, or null when it failed.
QByteArray Xclip(const QStringList& arguments)
{
    QProcess process;
    process.start("xclip", QStringList { "-selection", "clipboard" } + arguments);
    QElapsedTimer timer;
    timer.start();
    while (process.state() != QProcess::NotRunning && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (process.state() != QProcess::NotRunning || process.exitCode() != 0)
        return QByteArray();
    return process.readAllStandardOutput();
}
} // namespace

class TestClipboardExchange : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!g_onXvfb)
            QSKIP("Xvfb is not installed: no X display for the real clipboard");
        if (QStandardPaths::findExecutable("xclip").isEmpty())
            QFAIL("xclip is missing (scripts/install-deps.sh installs it)");
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    }

    void copiedAnalyteReadsAsColumns()
    {
        TScriptedDialogs dialogs;
        TAnalyte analyte("Glucose", "mmol/L", 2, 3);
        const double t0 = DateToDayCount(QDate(2026, 2, 27)) + 0.375;
        analyte.AddPoint(MakeResult(t0, 5.12, 7.5, 12.25, "AB", QString::fromUtf8("µ ok")));
        TResu0 discarded = MakeResult(t0 + 1, 5.3, 7.25, NAN, "CD");
        discarded.Values[0].Status = psDiscarded;
        analyte.AddPoint(discarded);
        TWinImport::CopyToClipboard(&analyte, dialogs); // its box is checked in TestWinMain
        // Another program takes the text whole (its columns are core's, TestArchive).
        QCOMPARE(QString::fromUtf8(Xclip({ "-o", "-t", "UTF8_STRING" })), AsText(analyte));
    }

    void spreadsheetBlockPastesIn()
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

        auto context = MakeTestContext();
        TScriptedDialogs dialogs;
        context->CurrentAnalyte = &context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 2, 3));
        TWinImport import(*context, dialogs);
        QVERIFY(import.PasteFromClipboard());
        xclip.kill();
        xclip.waitForFinished(3000);
        QCOMPARE(import.LB->count(), 2);
        QCOMPARE(import.LB->item(0)->text(), d1 + "\t08:15:00\t5.42\t12.10");
        QCOMPARE(import.LB->item(1)->text(), d2 + "\t12:00:00\t\t11.90");
    }
};

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
