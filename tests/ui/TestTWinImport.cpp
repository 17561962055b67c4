#include "TDates.h"
#include "TKeyButton.h"
#include "TScriptedDialogs.h"
#include "TTabListDelegate.h"
#include "TTestRegistry.h"
#include "TWinImport.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
double Day0() { return DateToDayCount(QDate(2026, 3, 15)); }

QString Line(int day, const QString& levels, const QString& time = "08:00:00")
{
    return ShortDateText(Day0() + day) + "\t" + time + "\t" + levels + "\r\n";
}
} // namespace

// The import window: its two loadings, its list drawing and the adding; its copy is
// checked on a real clipboard (TestClipboardExchange). How a QC text reads is core's.
class TestTWinImport : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_context = MakeTestContext();
        m_dialogs = TScriptedDialogs();
        m_analyte = &m_context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 1, 3));
        m_context->CurrentAnalyte = m_analyte;
        m_win = std::make_unique<TWinImport>(*m_context, m_dialogs);
    }

    void cleanup()
    {
        m_win.reset();
        QGuiApplication::clipboard()->clear();
    }

    void loading_data()
    {
        QTest::addColumn<QString>("source"); // a clipboard format, or "file"
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("pending");
        const QString clipboard = u"ClipBoard contents"_s, file = u"Imported file contents"_s;
        const QString d0 = ShortDateText(Day0()), d1 = ShortDateText(Day0() + 1), d5 = ShortDateText(Day0() + 5);
        QTest::newRow("clipboard text, shown with the analyte's decimals")
            << u"text/plain"_s
            << ("Date\tTime\tQC1\r\n" + Line(0, "5.26\t\t12") + Line(1, "Discarded\t4.5", "x") + Line(2, "n/a"))
                   .toUtf8()
            << clipboard << QStringList { d0 + "\t08:00:00\t5.3\t\t12.0", d1 + "\t12:00:00\t\t4.5" } << 2;
        QTest::newRow("clipboard bytes end at a zero byte")
            << u"text/plain"_s << (Line(0, "1") + '\0' + Line(1, "2")).toUtf8() << clipboard
            << QStringList { d0 + "\t08:00:00\t1.0" } << 1;
        QTest::newRow("clipboard without text") << u"image/png"_s << QByteArray("12") << clipboard
                                                << QStringList { "Nothing to paste from the clipboard" } << 0;
        QTest::newRow("file") << u"file"_s << Line(5, "7").toUtf8() << file << QStringList { d5 + "\t08:00:00\t7.0" }
                              << 1;
        QTest::newRow("empty file") << u"file"_s << QByteArray() << file << QStringList {} << 0;
    }

    void loading()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QStringList, lines);
        QFETCH(int, pending);
        m_win->ShowImportedText(Line(0, "1") + Line(1, "2") + Line(2, "3")); // replaced by the next loading
        if (source == "file") {
            m_win->ShowImportedText(QString::fromUtf8(bytes));
        } else {
            auto* data = new QMimeData;
            data->setData(source, bytes);
            QGuiApplication::clipboard()->setMimeData(data);
            QCOMPARE(m_win->PasteFromClipboard(), pending > 0);
        }
        QCOMPARE(m_win->windowTitle(), title);
        QStringList shown;
        for (int i = 0; i < m_win->LB->count(); ++i)
            shown << m_win->LB->item(i)->text();
        QCOMPARE(shown, lines);
        QCOMPARE(int(m_win->PendingResults().size()), pending);
    }

    void linesAreDrawnAtTheTabStops()
    {
        m_win->ShowImportedText(Line(0, "1") + Line(1, "2") + Line(2, "3"));
        m_win->show();
        m_win->LB->setCurrentRow(0); // the list keeps its colours under the selection
        const QImage image = Grab(*m_win->LB->viewport());
        const int h = TWinImport::LineHeight, right = image.width() - 5; // right of every field
        QCOMPARE(image.pixelColor(right, 6), QColor(Qt::white));
        QCOMPARE(image.pixelColor(right, h + 6), TTabListDelegate::LightCyan);
        QCOMPARE(image.pixelColor(right, 2 * h + 6), QColor(Qt::white));
        // Each field's ink starts at its stop, nothing between the date and the next stop.
        const QFontMetrics metrics(m_win->LB->font());
        const int dateEnd = metrics.horizontalAdvance(ShortDateText(Day0())) + 2;
        QVERIFY(dateEnd < 80);
        QCOMPARE(CountInk(image, QRect(dateEnd, 1, 80 - dateEnd, h - 1)), 0);
        for (const QRect& ink : { QRect(0, 1, 4, h - 1), QRect(80, 1, 4, h - 1), QRect(160, 1, 6, h - 1) })
            QVERIFY(CountInk(image, ink) > 0);
        // A field running past a stop pushes the next one to the stop after.
        QString wide = "W";
        while (metrics.horizontalAdvance(wide) <= 80)
            wide += 'W';
        QVERIFY(metrics.horizontalAdvance(wide) < 160);
        QCOMPARE(m_win->LBDrawItem->FieldPositions(wide + "\tb", metrics), (QList<int> { 0, 160 }));
    }

    void adding_data()
    {
        QTest::addColumn<bool>("pointsKept"); // the analyte holds a point already
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("added");
        QTest::newRow("to an empty analyte: no question") << false << 0 << true;
        QTest::newRow("to kept points: asked, OK") << true << int(mbOK) << true;
        QTest::newRow("to kept points: asked, Cancel") << true << int(mbCancel) << false;
    }

    void adding()
    {
        QFETCH(bool, pointsKept);
        QFETCH(int, answer);
        QFETCH(bool, added);
        if (pointsKept)
            m_analyte->AddPoint(MakeResult(Day0() - 3, 5));
        const std::array<quint8, 3> modes { lmFixed, lmLocked, lmFixed };
        m_analyte->LimitMode = modes;
        m_win->ShowImportedText(Line(1, "5\t10") + Line(0, "6\t11"));
        m_win->show();
        m_dialogs.QueueAnswer(answer);
        m_win->BtAdd->click();
        if (pointsKept)
            QVERIFY_ONE_BOX(m_dialogs, TMsgType::Confirmation,
                u"Add the new QC points to the previous ones\rThe QC mode will be reset to mobile"_s, mbOK | mbCancel);
        else
            QVERIFY(m_dialogs.Boxes.isEmpty());
        QCOMPARE(m_win->result(), added ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QVERIFY(!m_win->isVisible());
        QCOMPARE(m_analyte->Count(), (pointsKept ? 1 : 0) + (added ? 2 : 0));
        const std::array<quint8, 3> mobile { lmMobile, lmMobile, lmMobile };
        QCOMPARE(m_analyte->LimitMode, added ? mobile : modes);
        QCOMPARE(m_win->PendingResults().size(), size_t(2)); // kept until the next loading
    }

    void showingNamesTheAnalyteAndLocksAdd()
    {
        m_context->Config.Password = "LAB";
        m_win->show();
        QCOMPARE(m_win->BtAdd->text(), QString("&Add the QC data to Glucose"));
        QVERIFY(!m_win->BtAdd->isEnabled());
        m_dialogs.QueueExec(TypePassword("lab"));
        m_win->BtCle->click();
        QVERIFY(m_win->BtAdd->isEnabled());
        QVERIFY(m_win->BtCle->isHidden());

        m_win->hide();
        m_context->CurrentAnalyte = &m_context->ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 1, 1));
        m_win->show();
        QCOMPARE(m_win->BtAdd->text(), QString("&Add the QC data to Urea"));
        QVERIFY(!m_win->BtAdd->isEnabled());
    }

private:
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
    std::unique_ptr<TWinImport> m_win;
    TAnalyte* m_analyte = nullptr;
};

VANTOREL_TEST(TestTWinImport)
#include "TestTWinImport.moc"
