#include "TAnalyte.h"
#include "TColors.h"
#include "TKeyButton.h"
#include "TMainWindowFixture.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include <QClipboard>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
double Day0() { return DateToDayCount(QDate(2026, 3, 15)); }

QString Line(int day, const QString& levels, const QString& time = "08:00:00")
{
    return ShortDateText(Day0() + day) + "\t" + time + "\t" + levels + "\r\n";
}
} // namespace

// Its copy is checked on a real clipboard (TestClipboardExchange); how a QC text reads is core's (TestQCText).
class TestWinImport : public TMainWindowTest {
    Q_OBJECT

    std::unique_ptr<TWinImport> m_import;

    // The import window on the current analyte, Glucose on three levels shown with one decimal.
    void ShowImport()
    {
        f.Context->CurrentAnalyte = &f.Context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 1, 3));
        m_import = std::make_unique<TWinImport>(*f.Context, f.Dialogs);
    }

private slots:
    void cleanup()
    {
        m_import.reset();
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
        ShowImport();
        QFETCH(QString, source);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QStringList, lines);
        QFETCH(int, pending);
        m_import->ShowImportedText(Line(0, "1") + Line(1, "2") + Line(2, "3")); // replaced by the next loading
        if (source == "file") {
            m_import->ShowImportedText(QString::fromUtf8(bytes));
        } else {
            auto* data = new QMimeData;
            data->setData(source, bytes);
            QGuiApplication::clipboard()->setMimeData(data);
            QCOMPARE(m_import->PasteFromClipboard(), pending > 0);
        }
        QCOMPARE(m_import->windowTitle(), title);
        QStringList shown;
        for (int i = 0; i < m_import->LB->count(); ++i)
            shown << m_import->LB->item(i)->text();
        QCOMPARE(shown, lines);
        QCOMPARE(int(m_import->PendingResults().size()), pending);
    }

    void linesAreDrawnAtTheTabStops()
    {
        ShowImport();
        m_import->ShowImportedText(Line(0, "1") + Line(1, "2") + Line(2, "3"));
        m_import->show();
        m_import->LB->setCurrentRow(0); // the list keeps its colours under the selection
        const QImage image = Grab(*m_import->LB->viewport());
        const int h = TWinImport::LineHeight, right = image.width() - 5; // right of every field
        QCOMPARE(image.pixelColor(right, 6), QColor(Qt::white));
        QCOMPARE(image.pixelColor(right, h + 6), Colors::ListCyan);
        QCOMPARE(image.pixelColor(right, 2 * h + 6), QColor(Qt::white));
        // Each field's ink starts at its stop, nothing between the date and the next stop.
        const QFontMetrics metrics(m_import->LB->font());
        const int dateEnd = metrics.horizontalAdvance(ShortDateText(Day0())) + 2;
        QVERIFY(dateEnd < 80);
        QCOMPARE(CountInk(image, QRect(dateEnd, 1, 80 - dateEnd, h - 1)), 0);
        for (const QRect& ink : { QRect(0, 1, 4, h - 1), QRect(80, 1, 4, h - 1), QRect(160, 1, 6, h - 1) })
            QVERIFY(CountInk(image, ink) > 0);
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
        ShowImport();
        QFETCH(bool, pointsKept);
        QFETCH(int, answer);
        QFETCH(bool, added);
        if (pointsKept)
            f.Context->CurrentAnalyte->AddPoint(MakeResult(Day0() - 3, 5));
        m_import->ShowImportedText(Line(1, "5\t10") + Line(0, "6\t11"));
        m_import->show();
        f.Dialogs.QueueAnswer(answer);
        m_import->BtAdd->click();
        if (pointsKept)
            QVERIFY_ONE_BOX(f.Dialogs, TMsgType::Confirmation,
                u"Add the new QC points to the previous ones\rThe QC mode will be reset to mobile"_s, mbOK | mbCancel);
        else
            QVERIFY(f.Dialogs.Boxes.isEmpty());
        QCOMPARE(m_import->result(), (added ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(!m_import->isVisible());
        QCOMPARE(f.Context->CurrentAnalyte->Count(), (pointsKept ? 1 : 0) + (added ? 2 : 0));
        QCOMPARE(m_import->PendingResults().size(), size_t(2)); // kept until the next loading
    }

    void showingNamesTheAnalyteAndLocksAdd()
    {
        ShowImport();
        f.Context->Config.Password = "LAB";
        m_import->show();
        QCOMPARE(m_import->BtAdd->text(), QString("&Add the QC data to Glucose"));
        QVERIFY(!m_import->BtAdd->isEnabled());
        f.Dialogs.QueueExec(TypePassword("lab"));
        m_import->BtCle->click();
        QVERIFY(m_import->BtAdd->isEnabled());
        QVERIFY(m_import->BtCle->isHidden());

        m_import->hide();
        f.Context->CurrentAnalyte = &f.Context->ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 1, 1));
        m_import->show();
        QCOMPARE(m_import->BtAdd->text(), QString("&Add the QC data to Urea"));
        QVERIFY(!m_import->BtAdd->isEnabled());
    }
};

VANTOREL_TEST(TestWinImport)
#include "TestWinImport.moc"
