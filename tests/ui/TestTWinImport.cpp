#include "TDates.h"
#include "TKeyButton.h"
#include "TScriptedDialogs.h"
#include "TTabListDelegate.h"
#include "TTestRegistry.h"
#include "TWinEntryPsw.h"
#include "TWinImport.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

namespace {
double Day0() { return DateToDayCount(QDate(2026, 3, 15)); }

QString Line(int dayOffset, const QString& time, const QString& levels)
{
    return ShortDateText(Day0() + dayOffset) + "\t" + time + "\t" + levels + "\r\n";
}

const QString ConfirmText
    = QStringLiteral("Add the new QC points to the previous ones\rThe QC mode will be reset to mobile");
}

// The import window: its two loadings, its list drawing and the adding.
class TestTWinImport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Loading
    void pasteTakesTheClipboardText();
    void pasteWithoutTextFails();
    void clipboardBytesFollowTheEncodingRule();
    void clipboardBytesEndAtAZeroByte();
    void importedTextAndReloadEmptiesTheList();

    // Drawing
    void linesAlternateWhiteAndLightCyanSelectedOrNot();
    void fieldsStartAtTabStops();
    void navySelectionForListsThatShowIt();

    // Copy
    void copyWithoutAnalyteSaysNothingToCopy();
    void copyThenPasteGivesOneLinePerPoint();

    // Adding
    void addingToAnEmptyAnalyteAsksNothing();
    void addingToAnalyteWithPointsAsksOnce();
    void cancelledQuestionAddsNothing();
    void addingEmptyListResetsModes();
    void addButtonNamesTheAnalyte();

    // Password lock
    void withoutPasswordAddIsOpen();
    void passwordKeepsAddLockedUntilTheKey();

private:
    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
    TWinImport* m_win = nullptr;
    TAnalyte* m_analyte = nullptr;
};

void TestTWinImport::init()
{
    m_context = MakeTestContext();
    m_dialogs = TScriptedDialogs();
    m_analyte = &m_context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 1, 3));
    m_context->CurrentAnalyte = m_analyte;
    m_win = new TWinImport(*m_context, m_dialogs);
}

void TestTWinImport::cleanup()
{
    delete m_win;
    m_context.reset();
    QGuiApplication::clipboard()->clear();
}

void TestTWinImport::pasteTakesTheClipboardText()
{
    QGuiApplication::clipboard()->setText("Date\tTime\tQC1\r\n" + Line(0, "08:00:00", "5.26\t\t12")
        + Line(1, "x", "Discarded\t4.5") + Line(2, "08:00:00", "n/a"));
    QVERIFY(m_win->PasteFromClipboard());
    QCOMPARE(m_win->windowTitle(), QString("ClipBoard contents"));
    QCOMPARE(m_win->LB->count(), 2);
    QCOMPARE(m_win->PendingResults().size(), size_t(2));
    QCOMPARE(m_win->LB->item(0)->text(), ShortDateText(Day0()) + "\t08:00:00\t5.3\t\t12.0");
    QCOMPARE(m_win->LB->item(1)->text(), ShortDateText(Day0() + 1) + "\t12:00:00\t\t4.5");
    const TResu0& second = m_win->PendingResults()[1];
    QCOMPARE_NEAR(second.DateTime, Day0() + 1.5, 1e-12);
    QCOMPARE(int(second.Values[0].Status), int(psNoValue));
    QCOMPARE(second.Values[1].Value, 4.5f);
}

void TestTWinImport::pasteWithoutTextFails()
{
    m_win->ShowImportedText(Line(0, "08:00:00", "1"));
    QCOMPARE(m_win->PendingResults().size(), size_t(1));
    auto* data = new QMimeData;
    data->setData("application/octet-stream", "12");
    QGuiApplication::clipboard()->setMimeData(data);
    QVERIFY(!m_win->PasteFromClipboard());
    QCOMPARE(m_win->windowTitle(), QString("ClipBoard contents"));
    QCOMPARE(m_win->LB->count(), 1);
    QCOMPARE(m_win->LB->item(0)->text(), QString("Nothing to paste from the clipboard"));
    QVERIFY(m_win->PendingResults().empty());
}

void TestTWinImport::clipboardBytesFollowTheEncodingRule()
{
    QMimeData latin;
    latin.setData("text/plain", "Contr\xF4le\t\xB5mol/L\r\n");
    QString text;
    QVERIFY(ClipboardQCText(&latin, text));
    QCOMPARE(text, QString::fromUtf8("Contrôle\tµmol/L\r\n"));

    QMimeData utf8;
    utf8.setData("text/plain",
        "\xEF\xBB\xBF"
        "Contr\xC3\xB4le\r\n");
    QVERIFY(ClipboardQCText(&utf8, text));
    QCOMPARE(text, QString::fromUtf8("Contrôle\r\n"));

    QMimeData none;
    none.setHtml("<b>x</b>");
    QVERIFY(!ClipboardQCText(&none, text));
    QVERIFY(!ClipboardQCText(nullptr, text));
}

void TestTWinImport::clipboardBytesEndAtAZeroByte()
{
    QByteArray bytes = Line(0, "08:00:00", "1").toUtf8();
    bytes.append('\0');
    bytes.append(Line(1, "08:00:00", "2").toUtf8());
    auto* data = new QMimeData;
    data->setData("text/plain", bytes);
    QGuiApplication::clipboard()->setMimeData(data);
    QVERIFY(m_win->PasteFromClipboard());
    QCOMPARE(m_win->PendingResults().size(), size_t(1));
    QCOMPARE(m_win->PendingResults()[0].Values[0].Value, 1.0f);
}

void TestTWinImport::importedTextAndReloadEmptiesTheList()
{
    m_win->ShowImportedText(Line(0, "08:00:00", "1") + Line(1, "08:00:00", "2") + Line(2, "08:00:00", "3"));
    QCOMPARE(m_win->windowTitle(), QString("Imported file contents"));
    QCOMPARE(m_win->LB->count(), 3);
    m_win->ShowImportedText(Line(5, "08:00:00", "7"));
    QCOMPARE(m_win->LB->count(), 1);
    QCOMPARE(m_win->PendingResults().size(), size_t(1));
    QCOMPARE(m_win->PendingResults()[0].Values[0].Value, 7.0f);
    m_win->ShowImportedText(QString());
    QCOMPARE(m_win->LB->count(), 0);
    QVERIFY(m_win->PendingResults().empty());
}

void TestTWinImport::linesAlternateWhiteAndLightCyanSelectedOrNot()
{
    m_win->ShowImportedText(Line(0, "08:00:00", "1") + Line(1, "08:00:00", "2") + Line(2, "08:00:00", "3"));
    m_win->show();
    m_win->LB->setCurrentRow(0);
    QVERIFY(m_win->LB->item(0)->isSelected());
    const QImage image = m_win->LB->viewport()->grab().toImage();
    const int x = image.width() - 5; // right of every field
    QCOMPARE(m_win->LB->visualItemRect(m_win->LB->item(1)).top(), TWinImport::LineHeight);
    QCOMPARE(image.pixelColor(x, 6), QColor(Qt::white));
    QCOMPARE(image.pixelColor(x, 13 + 6), TTabListDelegate::LightCyan);
    QCOMPARE(image.pixelColor(x, 26 + 6), QColor(Qt::white));
}

void TestTWinImport::fieldsStartAtTabStops()
{
    const QFontMetrics metrics(m_win->LB->font());
    const QList<int> short3 = m_win->LBDrawItem->FieldPositions("a\tb\tc", metrics);
    QCOMPARE(short3, (QList<int> { 0, 80, 160 }));
    // A field running past a stop pushes the next field to the stop after it.
    QString wide = "W";
    while (metrics.horizontalAdvance(wide) <= 80)
        wide += 'W';
    QVERIFY(metrics.horizontalAdvance(wide) > 80 && metrics.horizontalAdvance(wide) < 160);
    QCOMPARE(m_win->LBDrawItem->FieldPositions(wide + "\tb", metrics), (QList<int> { 0, 160 }));

    // Drawn: the second field's ink starts at the stop, nothing between the first field and it.
    m_win->ShowImportedText(ShortDateText(Day0()) + "\t" + "08:00:00\t1\r\n");
    m_win->show();
    const QImage image = m_win->LB->viewport()->grab().toImage();
    auto inkIn = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 1; y < TWinImport::LineHeight; ++y)
                if (image.pixelColor(x, y).lightness() < 128)
                    return true;
        return false;
    };
    const int dateWidth = metrics.horizontalAdvance(ShortDateText(Day0()));
    QVERIFY(dateWidth < 78);
    QVERIFY(inkIn(0, 4));
    QVERIFY(!inkIn(dateWidth + 2, 80));
    QVERIFY(inkIn(80, 84));
    QVERIFY(!inkIn(80 + metrics.horizontalAdvance("08:00:00") + 2, 160));
    QVERIFY(inkIn(160, 166));
}

void TestTWinImport::navySelectionForListsThatShowIt()
{
    QListWidget list;
    auto* delegate = new TTabListDelegate({ 80 }, 13, &list);
    list.setItemDelegate(delegate);
    list.addItems({ "a", "b" });
    list.resize(200, 100);
    list.show();
    list.setCurrentRow(1);
    const QImage image = list.viewport()->grab().toImage();
    QCOMPARE(image.pixelColor(150, 13 + 6), QColor(0, 0, 128));
    QCOMPARE(image.pixelColor(150, 6), QColor(Qt::white));
}

void TestTWinImport::copyWithoutAnalyteSaysNothingToCopy()
{
    QGuiApplication::clipboard()->setText("kept");
    TWinImport::CopyToClipboard(nullptr, m_dialogs);
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(int(m_dialogs.Boxes[0].Type), int(TMsgType::Error));
    QCOMPARE(m_dialogs.Boxes[0].Text, QString("Nothing to copy."));
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbYes));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
}

void TestTWinImport::copyThenPasteGivesOneLinePerPoint()
{
    TAnalyte& source = m_context->ListAnalytes.Add(TAnalyte("Cholesterol total", "mmol/L", 2, 3));
    QCOMPARE(source.Name, QString("Cholesterol tot"));
    const double t0 = Day0() + (8 * 3600 + 15 * 60 + 30) / 86400.0;
    source.AddPoint(MakeResult(t0, 4.25, 6.5, 9.75, "ABCD", "New reagent"));
    source.AddPoint(MakeResult(t0 + 1, 4.5, NAN, 9.5, "XY"));
    TResu0 discarded = MakeResult(t0 + 2, 4.75, 6.25, 10.0, QString(), "Wrong calibrator");
    discarded.Values[1].Status = psDiscarded;
    source.AddPoint(discarded);

    TWinImport::CopyToClipboard(&source, m_dialogs);
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(int(m_dialogs.Boxes[0].Type), int(TMsgType::Information));
    QCOMPARE(m_dialogs.Boxes[0].Text,
        QString("\rThe data for Cholesterol tot are now copied in the clipboard.\r"
                "You can paste them in a spreadsheet."));
    QCOMPARE(m_dialogs.Boxes[0].Buttons, int(mbYes));

    QVERIFY(m_win->PasteFromClipboard());
    QCOMPARE(m_win->PendingResults().size(), size_t(source.Count()));
    for (int i = 0; i < source.Count(); ++i) {
        const TQCPoint& point = source.Point(i);
        const TResu0& back = m_win->PendingResults()[size_t(i)];
        QCOMPARE_NEAR(back.DateTime, point.DateTime, 1e-9);
        for (int l = 0; l < 3; ++l) {
            const bool counted = point.Values[l].IsCounted();
            QCOMPARE(int(back.Values[l].Status), counted ? int(psWithin) : int(psNoValue));
            if (counted)
                QCOMPARE(back.Values[l].Value, point.Values[l].Value);
        }
        QVERIFY(back.Operator.isEmpty());
        QVERIFY(back.Comment.isEmpty());
        QVERIFY(back.Analyte.isEmpty());
    }
    // Shown with the decimals of the analyte that receives them (Glucose, 1 decimal).
    QCOMPARE(m_win->LB->item(2)->text(), ShortDateText(t0 + 2) + "\t" + LongTimeText(t0 + 2) + "\t4.8\t\t10.0");
}

void TestTWinImport::addingToAnEmptyAnalyteAsksNothing()
{
    m_win->ShowImportedText(Line(1, "08:00:00", "5\t10") + Line(0, "08:00:00", "6\t11"));
    m_analyte->LimitMode = { lmFixed, lmLocked, lmFixed };
    m_win->BtAddClick();
    QCOMPARE(m_dialogs.Boxes.size(), 0);
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
    QCOMPARE(m_analyte->Count(), 2);
    // Placed by date: the second line is the older point.
    QCOMPARE(m_analyte->Point(0).Values[0].Value, 6.0f);
    QCOMPARE(m_analyte->LimitMode, (std::array<quint8, 3> { lmMobile, lmMobile, lmMobile }));
    QCOMPARE(m_analyte->ReferenceStats[1].N, 2);
}

void TestTWinImport::addingToAnalyteWithPointsAsksOnce()
{
    m_analyte->AddPoint(MakeResult(Day0() - 3, 5));
    m_win->ShowImportedText(Line(0, "08:00:00", "1") + Line(1, "08:00:00", "2") + Line(2, "08:00:00", "3"));
    m_dialogs.QueueAnswer(mbOK);
    m_win->BtAddClick();
    QCOMPARE(m_dialogs.Boxes.size(), 1);
    QCOMPARE(int(m_dialogs.Boxes[0].Type), int(TMsgType::Confirmation));
    QCOMPARE(m_dialogs.Boxes[0].Text, ConfirmText);
    QCOMPARE(m_dialogs.Boxes[0].Buttons, mbOK | mbCancel);
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
    QCOMPARE(m_analyte->Count(), 4);
}

void TestTWinImport::cancelledQuestionAddsNothing()
{
    m_analyte->AddPoint(MakeResult(Day0() - 3, 5));
    m_analyte->LimitMode[0] = lmFixed;
    m_win->ShowImportedText(Line(0, "08:00:00", "1"));
    m_dialogs.QueueAnswer(mbCancel);
    m_win->BtAddClick();
    QCOMPARE(m_win->result(), int(QDialog::Rejected));
    QCOMPARE(m_analyte->Count(), 1);
    QCOMPARE(m_analyte->LimitMode[0], quint8(lmFixed));
    // The pending results stay until the next loading.
    QCOMPARE(m_win->PendingResults().size(), size_t(1));
}

void TestTWinImport::addingEmptyListResetsModes()
{
    m_win->ShowImportedText("Date\tTime\r\n");
    m_analyte->LimitMode = { lmLocked, lmFixed, lmMobile };
    m_win->BtAddClick();
    QCOMPARE(m_win->result(), int(QDialog::Accepted));
    QCOMPARE(m_analyte->LimitMode, (std::array<quint8, 3> { lmMobile, lmMobile, lmMobile }));
}

void TestTWinImport::addButtonNamesTheAnalyte()
{
    m_win->show();
    QCOMPARE(m_win->BtAdd->text(), QString("&Add the QC data to Glucose"));
    m_win->hide();
    m_context->CurrentAnalyte = &m_context->ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 1, 1));
    m_win->show();
    QCOMPARE(m_win->BtAdd->text(), QString("&Add the QC data to Urea"));
}

void TestTWinImport::withoutPasswordAddIsOpen()
{
    m_win->show();
    QVERIFY(m_win->BtAdd->isEnabled());
    QVERIFY(m_win->BtCle->isHidden());
}

void TestTWinImport::passwordKeepsAddLockedUntilTheKey()
{
    m_context->Config.Password = "LAB";
    auto typing = [](const QString& text) {
        return [text](QDialog& dialog) {
            auto& entry = static_cast<TWinEntryPsw&>(dialog);
            entry.Password->setText(text);
            entry.BtOK->click();
            return entry.result();
        };
    };
    m_win->show();
    QVERIFY(!m_win->BtAdd->isEnabled());
    QVERIFY(!m_win->BtCle->isHidden());
    QCOMPARE(m_win->BtCle->size(), QSize(40, 40));

    m_dialogs.QueueExec(typing("wrong"));
    m_win->BtCle->click();
    QVERIFY(!m_win->BtAdd->isEnabled());
    QVERIFY(!m_win->BtCle->isChecked());

    m_dialogs.QueueExec(typing("lab"));
    m_win->BtCle->click();
    QVERIFY(m_win->BtAdd->isEnabled());
    QVERIFY(m_win->BtCle->isHidden());
    QVERIFY(!m_win->BtCle->isChecked());

    // Shown again, the window is locked again.
    m_win->hide();
    m_win->show();
    QVERIFY(!m_win->BtAdd->isEnabled());
}

VANTOREL_TEST(TestTWinImport)
#include "TestTWinImport.moc"
