// The validation window driven through its controls: layout for the validated
// levels, discards, the rules switch, OK and Cancel, and the painted scales.
#include "TAnalyte.h"
#include "TScriptedDialogs.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWinValidCQ.h"
#include "TestHelpers.h"

#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>

namespace {
const QColor Red(255, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor Lime(0, 255, 0);
const QColor Grey(128, 128, 128);
// Day counts of the stored points and runs: 1 is 2026-03-01.
double Day(double n) { return 46081 + n; }
} // namespace

class TestTWinValidCQ : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void heightAndAcrossStrip_data();
    void heightAndAcrossStrip();
    void discardAndRetrieveALevel();
    void westgardBoxShowsTheLabelsAtOnce();
    void cancelLeavesTheRunUntouched();
    void okWritesTheDiscardsAndTheSwitch();
    void headerAndLevelControls();
    void paintedRunWithRulesFiring();

private:
    // Glucose, three levels of mean 100, warning 4 and action 6, with `history`
    // (one list of values per point) stored on days 1, 2, ...
    TAnalyte& MakeAnalyte(int levels, const QList<QList<double>>& history = {});
    void Open(TResu0& run);
    QImage Grab(QWidget* widget) { return widget->grab().toImage(); }

    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
    std::unique_ptr<TWinValidCQ> m_win;
};

void TestTWinValidCQ::init()
{
    m_context = MakeTestContext();
    m_dialogs = std::make_unique<TScriptedDialogs>();
    m_context->ListSerum.Add("Lyphochek", "A12");
    m_context->ListSerum.Add("Liquichek", "B7");
    m_win = std::make_unique<TWinValidCQ>(*m_context, *m_dialogs);
}

void TestTWinValidCQ::cleanup()
{
    m_win.reset();
    m_dialogs.reset();
    m_context.reset();
}

TAnalyte& TestTWinValidCQ::MakeAnalyte(int levels, const QList<QList<double>>& history)
{
    TAnalyte& analyte = m_context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 1, levels));
    analyte.SerumID = { 0, 1, 42 };
    for (int l = 0; l < levels; ++l) {
        TLevelStats& stats = analyte.ReferenceStats[l];
        stats.Mean = 100;
        stats.WarningHalfWidth = 4;
        stats.ActionHalfWidth = 6;
        stats.N = 20;
        stats.Status = 0;
    }
    for (int i = 0; i < history.size(); ++i)
        analyte.AddPoint(
            MakeResult(Day(1 + i), history[i].value(0, NAN), history[i].value(1, NAN), history[i].value(2, NAN)));
    ClassifyAll(analyte);
    m_context->CurrentAnalyte = &analyte;
    return analyte;
}

void TestTWinValidCQ::Open(TResu0& run)
{
    ClassifyPoint(*m_context->CurrentAnalyte, run);
    m_win->SetQCPoint(run);
    m_win->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_win.get()));
}

void TestTWinValidCQ::heightAndAcrossStrip_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<bool>("westgard");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("validated");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("acrossName"); // the third across label, when shown

    QTest::newRow("n = 0, rules off") << 3 << false << QList<double> { 101, 101, 101 } << 0 << 460 << "";
    QTest::newRow("n = 1") << 3 << true << QList<double> { 101, NAN, NAN } << 1 << 460 << "";
    QTest::newRow("n = 2") << 3 << true << QList<double> { 101, NAN, 101 } << 2 << 493 << "4:1s";
    QTest::newRow("n = 3") << 3 << true << QList<double> { 101, 101, 101 } << 3 << 493 << "3:1s";
    QTest::newRow("two levels, n = 2") << 2 << true << QList<double> { 101, 101 } << 2 << 393 << "4:1s";
    QTest::newRow("one level") << 1 << true << QList<double> { 101 } << 1 << 260 << "";
}

void TestTWinValidCQ::heightAndAcrossStrip()
{
    QFETCH(int, levels);
    QFETCH(bool, westgard);
    QFETCH(QList<double>, values);
    QFETCH(int, validated);
    QFETCH(int, height);
    QFETCH(QString, acrossName);
    TAnalyte& analyte = MakeAnalyte(levels);
    if (!westgard)
        analyte.Options &= ~aoWestgard;
    TResu0 run = MakeResult(Day(5), values.value(0, NAN), values.value(1, NAN), values.value(2, NAN));
    Open(run);
    QCOMPARE(m_win->Result().ValidatedCount, validated);
    QCOMPARE(m_win->height(), height);
    QCOMPARE(m_win->Panel2->height(), 100 * levels + 43);
    QCOMPARE(m_win->PanelWGAcross->isVisible(), !acrossName.isEmpty());
    if (!acrossName.isEmpty()) {
        QCOMPARE(m_win->PanelWGAcross->y(), 100 * levels + 84);
        QCOMPARE(QString(m_win->Result().AcrossNames()[2]), acrossName);
    }
    QCOMPARE(m_win->CBWestg->isChecked(), westgard);
    QCOMPARE(m_win->CBWestg->text(), QString("&Westgard multirules "));
    for (int i = 0; i < MaxLevels; ++i)
        QCOMPARE(m_win->PBoxLevel[i]->isVisible(), i < levels);
}

void TestTWinValidCQ::discardAndRetrieveALevel()
{
    MakeAnalyte(3);
    TResu0 run = MakeResult(Day(5), 101, 101, 101);
    Open(run);
    QTest::mouseClick(m_win->BtReject[2], Qt::LeftButton);
    QCOMPARE(m_win->BtReject[2]->text(), QString("Retrieve QC3"));
    QVERIFY(m_win->IsDiscarded(2));
    QCOMPARE(m_win->Result().ValidatedCount, 2);
    QCOMPARE(QString(m_win->Result().AcrossNames()[3]), QString("10:m"));
    QCOMPARE(m_win->height(), 493);
    QCOMPARE(m_win->focusWidget(), m_win->BtOK);
    const QImage discarded = Grab(m_win->PBoxLevel[2]);
    QCOMPARE(discarded.pixelColor(100, 5), Grey);
    QCOMPARE(discarded.pixelColor(0, 0), QColor(Qt::black));

    QTest::mouseClick(m_win->BtReject[1], Qt::LeftButton);
    QCOMPARE(m_win->Result().ValidatedCount, 1);
    QVERIFY(!m_win->PanelWGAcross->isVisible());
    QCOMPARE(m_win->height(), 460);

    QTest::mouseClick(m_win->BtReject[2], Qt::LeftButton);
    QCOMPARE(m_win->BtReject[2]->text(), QString("Reject QC3"));
    QVERIFY(!m_win->IsDiscarded(2));
    QCOMPARE(m_win->Result().ValidatedCount, 2);
    QVERIFY(m_win->PanelWGAcross->isVisible());
    // The run itself is not touched before OK.
    QCOMPARE(run.Values[1].Status, quint8(psWithin));
    QCOMPARE(Grab(m_win->PBoxLevel[2]).pixelColor(100, 22), Lime);
}

void TestTWinValidCQ::westgardBoxShowsTheLabelsAtOnce()
{
    TAnalyte& analyte = MakeAnalyte(3);
    analyte.Options &= ~aoWestgard;
    TResu0 run = MakeResult(Day(5), 101, 101, 101);
    Open(run);
    // A label that is not violated has a white frame; with the rules off there is no label.
    const QPoint frame = TWinValidCQ::RuleLabelRect(0).topLeft();
    QVERIFY(Grab(m_win->PBoxLevel[0]).pixelColor(frame) != QColor(Qt::white));
    QCOMPARE(m_win->height(), 460);

    QTest::mouseClick(m_win->CBWestg, Qt::LeftButton, {}, QPoint(5, m_win->CBWestg->height() / 2));
    QVERIFY(m_win->CBWestg->isChecked());
    QCOMPARE(m_win->Result().ValidatedCount, 3);
    QCOMPARE(Grab(m_win->PBoxLevel[0]).pixelColor(frame), QColor(Qt::white));
    QVERIFY(m_win->PanelWGAcross->isVisible());
    QCOMPARE(m_win->height(), 493);
    // The analyte's switch changes only with OK.
    QVERIFY(!analyte.HasOption(aoWestgard));
}

void TestTWinValidCQ::cancelLeavesTheRunUntouched()
{
    TAnalyte& analyte = MakeAnalyte(3, { { 104.5, 104.5, 104.5 } });
    TResu0 run = MakeResult(Day(5), 104.5, 101, 97, "AB", "after calibration");
    ClassifyPoint(analyte, run);
    const TResu0 before = run;
    m_dialogs->QueueExec([this](QDialog& dialog) {
        dialog.show();
        QTest::mouseClick(m_win->BtReject[0], Qt::LeftButton);
        QTest::mouseClick(m_win->BtReject[2], Qt::LeftButton);
        m_win->CBWestg->click();
        QTest::mouseClick(m_win->BtCancel, Qt::LeftButton);
        return dialog.result();
    });
    QVERIFY(!m_win->Execute(run));
    QCOMPARE(m_dialogs->ExecutedWindows, QStringList { "TWinValidCQ" });
    QVERIFY(run == before);
    QVERIFY(analyte.HasOption(aoWestgard));
    QCOMPARE(analyte.Count(), 1);
}

void TestTWinValidCQ::okWritesTheDiscardsAndTheSwitch()
{
    TAnalyte& analyte = MakeAnalyte(3);
    TResu0 run = MakeResult(Day(5), 104.5, 101, NAN);
    ClassifyPoint(analyte, run);
    m_dialogs->QueueExec([this](QDialog& dialog) {
        dialog.show();
        QTest::mouseClick(m_win->BtReject[1], Qt::LeftButton);
        m_win->CBWestg->click();
        QTest::mouseClick(m_win->BtOK, Qt::LeftButton);
        return dialog.result();
    });
    QVERIFY(m_win->Execute(run));
    QCOMPARE(run.Values[0].Status, quint8(psHighWarning));
    QCOMPARE(run.Values[1].Status, quint8(psDiscarded));
    QCOMPARE(run.Values[2].Status, quint8(psNoValue));
    QVERIFY(!analyte.HasOption(aoWestgard));
    QCOMPARE(analyte.Count(), 0); // storing the run is the caller's step

    // The window is reused: the next run starts with no discards.
    TResu0 next = MakeResult(Day(6), 101, 101, 101);
    Open(next);
    QCOMPARE(m_win->BtReject[1]->text(), QString("Reject QC2"));
    QVERIFY(!m_win->IsDiscarded(1));
    QVERIFY(!m_win->CBWestg->isChecked());
}

void TestTWinValidCQ::headerAndLevelControls()
{
    TAnalyte& analyte = MakeAnalyte(2);
    analyte.LimitMode[1] = lmFixed;
    TResu0 run = MakeResult(Day(5), 101, NAN, 99, "", "");
    Open(run);
    QCOMPARE(m_win->windowTitle(), QString("QC validation"));
    QCOMPARE(m_win->Panel1->text(), QString("Glucose"));
    QCOMPARE(m_win->LblUnite->text(), QString("mmol/L"));
    QVERIFY(!m_win->PanelDate->text().isEmpty());
    QVERIFY(!m_win->PanelOperator->isVisible());
    QVERIFY(!m_win->LblComment->isVisible());
    QCOMPARE(m_win->LblSerum[0]->text(), QString("Lyphochek"));
    QCOMPARE(m_win->LblSerum[1]->text(), QString("Liquichek"));
    QCOMPARE(m_win->LblMode[0]->text(), QString("Mobile limits"));
    QCOMPARE(m_win->LblMode[1]->text(), QString("Fixed limits"));
    QCOMPARE(m_win->BtReject[0]->text(), QString("Reject QC1"));
    QVERIFY(m_win->BtReject[0]->isEnabled());
    QVERIFY(!m_win->BtReject[1]->isEnabled());
    QVERIFY(!m_win->BtReject[2]->isVisible());
    QCOMPARE(m_win->BtReject[0]->geometry(), QRect(430, 90, 80, 30));
    QCOMPARE(m_win->PBoxLevel[1]->geometry(), QRect(10, 170, 410, 60));
    QCOMPARE(m_win->LblMode[1]->pos(), QPoint(440, 170));
    // The analyte has two levels: the run loses its third value.
    QCOMPARE(run.Values[2].Status, quint8(psNoValue));
    // "No data" in red on button face for the level without a value.
    const QImage empty = Grab(m_win->PBoxLevel[1]);
    int red = 0;
    for (int x = 170; x < 290; ++x)
        for (int y = 15; y < 45; ++y)
            red += empty.pixelColor(x, y) == Red ? 1 : 0;
    QVERIFY(red > 50);
    QCOMPARE(empty.pixelColor(100, 22), m_win->palette().color(QPalette::Button));

    TResu0 signed_ = MakeResult(Day(6), 101, 101, NAN, "JD", "new lot");
    Open(signed_);
    QCOMPARE(m_win->PanelOperator->text(), QString("JD"));
    QVERIFY(m_win->PanelOperator->isVisible());
    QCOMPARE(m_win->PanelComment->text(), QString("new lot"));
    QVERIFY(m_win->LblComment->isVisible());
}

void TestTWinValidCQ::paintedRunWithRulesFiring()
{
    // QC1 reaches the action limit after three points beyond one s (1:2s, 1:3s,
    // 4:1s); QC2 repeats a warning (1:2s, 2:2s); QC3 stays within but beyond
    // one s; across, two levels high (2:2s) and all three beyond one s (3:1s).
    TAnalyte& analyte = MakeAnalyte(3, { { 102.5, 101, 101 }, { 102.5, 101, 101 }, { 102.5, 104.5, 101 } });
    analyte.SerumID = { 0, 1, 42 };
    analyte.LimitMode[2] = lmLocked;
    TResu0 run = MakeResult(Day(9), 107, 104.5, 102.5, "JD", "after maintenance");
    Open(run);
    const TWestgardResult& result = m_win->Result();
    QCOMPARE(result.ValidatedCount, 3);

    const QImage level1 = Grab(m_win->PBoxLevel[0]);
    const QImage level2 = Grab(m_win->PBoxLevel[1]);
    const QImage level3 = Grab(m_win->PBoxLevel[2]);
    const QImage across = Grab(m_win->PBoxWGAcross);
    m_win->grab().save(ArtifactPath("TWinValidCQ-three-levels.png"));

    auto fill
        = [](const QImage& image, const QRect& rect) { return image.pixelColor(rect.left() + 2, rect.top() + 2); };
    auto frame = [](const QImage& image, const QRect& rect) { return image.pixelColor(rect.topLeft()); };
    QCOMPARE(fill(level1, TWinValidCQ::RuleLabelRect(lr12s)), Yellow);
    QCOMPARE(fill(level1, TWinValidCQ::RuleLabelRect(lr13s)), Red);
    QCOMPARE(frame(level1, TWinValidCQ::RuleLabelRect(lr13s)), QColor(Qt::black));
    QCOMPARE(fill(level1, TWinValidCQ::RuleLabelRect(lr41s)), Red);
    QCOMPARE(frame(level1, TWinValidCQ::RuleLabelRect(lr22s)), QColor(Qt::white));
    QCOMPARE(fill(level2, TWinValidCQ::RuleLabelRect(lr22s)), Red);
    QCOMPARE(fill(level3, TWinValidCQ::RuleLabelRect(lr12s)), m_win->palette().color(QPalette::Button));
    QCOMPARE(fill(across, TWinValidCQ::AcrossLabelRect(ar22s)), Red);
    QCOMPARE(frame(across, TWinValidCQ::AcrossLabelRect(arR4s)), QColor(Qt::white));
    QCOMPARE(fill(across, TWinValidCQ::AcrossLabelRect(arOneS)), Red);

    // Bands of QC1 (centre 100, half-range 7.7 so the value 107 fits): red,
    // yellow, lime centre, yellow, red between y = 17 and 26.
    const TPBoxValidCQ& box = *m_win->PBoxLevel[0];
    QCOMPARE_NEAR(box.HalfRange, 7.7, 1e-6);
    const int w = box.width();
    QCOMPARE(level1.pixelColor(box.X(100, w) + 3, 22), Lime);
    QCOMPARE(level1.pixelColor(box.X(95, w), 22), Yellow);
    QCOMPARE(level1.pixelColor(box.X(104.5, w), 22), Yellow);
    QCOMPARE(level1.pixelColor(box.X(93, w), 22), Red);
    QCOMPARE(level1.pixelColor(25, 17), Red);
    QCOMPARE(level1.pixelColor(25, 26), Red);
    QVERIFY(level1.pixelColor(25, 28) != Red);
    // The value marker: black, 3 pixels wide, from y = 14 to 30.
    const int marker = box.X(107, w);
    QCOMPARE(level1.pixelColor(marker, 29), QColor(Qt::black));
    QCOMPARE(level1.pixelColor(marker - 1, 22), QColor(Qt::black));
    // A navy tick under each figure, from y = 12 to 17.
    QCOMPARE(level1.pixelColor(box.X(100, w), 14), QColor(0, 0, 128));

    // The same positions in the window: scales at (10, 100 i + 70) on Panel2.
    const QImage window = m_win->grab().toImage();
    const QPoint origin = m_win->PBoxLevel[1]->mapTo(m_win.get(), QPoint(0, 0));
    QCOMPARE(origin - m_win->Panel2->pos(), QPoint(10, 170));
    QCOMPARE(window.pixelColor(origin + TWinValidCQ::RuleLabelRect(lr22s).topLeft() + QPoint(2, 2)), Red);
}

VANTOREL_TEST(TestTWinValidCQ)
#include "TestTWinValidCQ.moc"
