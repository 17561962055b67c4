#include "TAnalyte.h"
#include "TDates.h"
#include "TScriptedDialogs.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TWinValidCQ.h"
#include "TWindowTestKit.h"
#include "TestHelpers.h"

#include "TQualityGoals.h"
#include "TScopePane.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {
const QColor Red(255, 0, 0), Yellow(255, 255, 0), Lime(0, 255, 0), White(Qt::white), Black(Qt::black);
// Day counts of the stored points and runs: 1 is 2026-03-01.
double Day(double n) { return 46081 + n; }
int BottomIn(const QWidget& window, const QWidget* widget)
{
    return widget->mapTo(&window, QPoint(0, widget->height())).y();
}
} // namespace

// Which rules fire is core's (TWestgard), as is the scale (TValidScale).
class TestWinValidCQ : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_context = MakeTestContext();
        m_dialogs = TScriptedDialogs();
        m_context->ListSerum.Add("Lyphochek", "A12");
        m_context->ListSerum.Add("Liquichek", "B7");
        m_win = std::make_unique<TWinValidCQ>(*m_context, m_dialogs);
    }

    void cleanup() { m_win.reset(); }

    void layout_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<bool>("westgard");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<bool>("across"); // the strip of the rules across levels
        QTest::newRow("three levels, rules off") << 3 << false << QList<double> { 101, 101, 101 } << false;
        QTest::newRow("three levels, one value") << 3 << true << QList<double> { 101, NAN, NAN } << false;
        QTest::newRow("three levels, two values") << 3 << true << QList<double> { 101, NAN, 101 } << true;
        QTest::newRow("two levels, the third value dropped") << 2 << true << QList<double> { 101, 101, 101 } << true;
        QTest::newRow("one level") << 1 << true << QList<double> { 101, NAN, NAN } << false;
    }

    void layout()
    {
        QFETCH(int, levels);
        QFETCH(bool, westgard);
        QFETCH(QList<double>, values);
        QFETCH(bool, across);
        TResu0 run = MakeResult(Day(5), values[0], values[1], values[2]);
        Open(levels, run, {}, westgard);
        QCOMPARE(Join(m_win->CBWestg->isChecked(), m_win->PanelWGAcross->isVisible()), Join(westgard, across));
        QVERIFY(!m_win->PanelOperator->isVisible() && !m_win->LblComment->isVisible()); // none given
        for (int i = 0; i < MaxLevels; ++i) {
            const bool hasValue = i < levels && !std::isnan(values[i]);
            QCOMPARE(m_win->PBoxLevel[i]->isVisible(), i < levels);
            QCOMPARE(m_win->BtReject[i]->isVisible(), i < levels);
            QVERIFY(i >= levels || m_win->BtReject[i]->isEnabled() == hasValue);
            QCOMPARE(run.Values[i].HasValue(), hasValue);
            if (i < levels && !hasValue) // "No data" in red on the button face
                QVERIFY(CountPixels(Grab(*m_win->PBoxLevel[i]), QRect(170, 15, 120, 30), Red) > 50);
        }
        // Top to bottom within the window, and no more: scales, across strip, switch and buttons.
        const int levelsBottom = BottomIn(*m_win, m_win->Panel2), switchTop = m_win->CBWestg->y();
        QVERIFY(BottomIn(*m_win, m_win->PBoxLevel[levels - 1]) <= levelsBottom);
        QVERIFY(levelsBottom <= (across ? m_win->PanelWGAcross->y() : switchTop));
        QVERIFY(!across || BottomIn(*m_win, m_win->PanelWGAcross) <= switchTop);
        QVERIFY(
            BottomIn(*m_win, m_win->BtOK) <= m_win->height() && BottomIn(*m_win, m_win->BtOK) > m_win->height() - 20);
    }

    void texts()
    {
        TResu0 run = MakeResult(Day(5), 101, 99, NAN, "JD", "new lot");
        Open(2, run).LimitMode[1] = lmFixed;
        m_win->hide();
        m_win->show(); // shown again with level 2 fixed
        const QString date = ShortDateText(Day(5)) + " " + LongTimeText(Day(5));
        for (const auto& [name, text] : { std::pair { "Panel1", u"Glucose"_s }, { "PanelDate", date },
                 { "PanelOperator", u"JD"_s }, { "PanelComment", u"new lot"_s }, { "LblSerum2", u"Liquichek"_s },
                 { "LblMode2", u"Fixed limits"_s } }) {
            const QWidget* widget = m_win->findChild<QWidget*>(name);
            QVERIFY2(widget && widget->isVisible(), name);
            QCOMPARE(widget->property("text").toString(), text);
        }
    }

    void controlsTakeEffectOnOKOnly_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QList<int>>("statuses");
        QTest::newRow("OK writes the discard and the switch")
            << true << QList<int> { psHighWarning, psDiscarded, psWithin };
        QTest::newRow("Cancel leaves the run and the switch")
            << false << QList<int> { psHighWarning, psWithin, psWithin };
    }

    void controlsTakeEffectOnOKOnly()
    {
        QFETCH(bool, ok);
        QFETCH(QList<int>, statuses);
        TResu0 run = MakeResult(Day(5), 104.5, 101, 101, "AB", "after calibration");
        TAnalyte& analyte = Open(3, run, { { 104.5, 104.5, 104.5 } }, false);
        TResu0 expected = run;
        // The rules switch shows the rule labels at once (white frames: none violated).
        const QPoint frame = TWinValidCQ::RuleLabelRect(0).topLeft();
        QVERIFY(Grab(*m_win->PBoxLevel[1]).pixelColor(frame) != White);
        QTest::mouseClick(m_win->CBWestg, Qt::LeftButton, {}, QPoint(5, m_win->CBWestg->height() / 2));
        QCOMPARE(Grab(*m_win->PBoxLevel[1]).pixelColor(frame), White);
        QVERIFY(m_win->PanelWGAcross->isVisible());
        // A discarded level is greyed and its button offers to retrieve it.
        QTest::mouseClick(m_win->BtReject[2], Qt::LeftButton);
        QCOMPARE(m_win->BtReject[2]->text(), QString("Retrieve QC3"));
        QCOMPARE(Grab(*m_win->PBoxLevel[2]).pixelColor(100, 5), QColor(128, 128, 128));
        QCOMPARE(m_win->focusWidget(), m_win->BtOK);
        QTest::mouseClick(m_win->BtReject[1], Qt::LeftButton); // one level left: no rules across
        QVERIFY(!m_win->PanelWGAcross->isVisible());
        QTest::mouseClick(m_win->BtReject[2], Qt::LeftButton);
        QCOMPARE(m_win->BtReject[2]->text(), QString("Reject QC3"));
        QCOMPARE(Grab(*m_win->PBoxLevel[2]).pixelColor(100, 22), Lime);
        QVERIFY(m_win->PanelWGAcross->isVisible());
        QVERIFY(run == expected && !analyte.HasOption(aoWestgard)); // nor the run nor the switch changed yet

        QTest::mouseClick(ok ? m_win->BtOK : m_win->BtCancel, Qt::LeftButton);
        QVERIFY(!m_win->isVisible());
        for (int l = 0; l < MaxLevels; ++l)
            expected.Values[l].Status = quint8(statuses[l]);
        QVERIFY(run == expected);
        QCOMPARE(Join(analyte.HasOption(aoWestgard), analyte.Count()), Join(ok, 1)); // storing it is the caller's step
        // The window serves the next run without the discards.
        m_win->SetQCPoint(run);
        m_win->show();
        QCOMPARE(m_win->BtReject[1]->text(), "Reject QC2");
        QVERIFY(!m_win->IsDiscarded(1));
        QCOMPARE(m_win->CBWestg->isChecked(), ok);
    }

    void paintedRunWithRulesFiring()
    {
        // QC1 reaches the action limit after three points beyond one s (1:2s, 1:3s,
        // 4:1s); QC2 repeats a warning (1:2s, 2:2s); QC3 stays within but beyond
        // one s; across, two levels high (2:2s) and all three beyond one s (3:1s).
        TResu0 run = MakeResult(Day(9), 107, 104.5, 102.5, "JD", "after maintenance");
        Open(3, run, { { 102.5, 101, 101 }, { 102.5, 101, 101 }, { 102.5, 104.5, 101 } });
        m_win->grab().save(ArtifactPath("TWinValidCQ-three-levels.png"));
        const QImage level1 = Grab(*m_win->PBoxLevel[0]);
        const QImage level3 = Grab(*m_win->PBoxLevel[2]), across = Grab(*m_win->PBoxWGAcross);
        auto fill
            = [](const QImage& image, const QRect& rect) { return image.pixelColor(rect.topLeft() + QPoint(2, 2)); };
        auto frame = [](const QImage& image, const QRect& rect) { return image.pixelColor(rect.topLeft()); };
        QCOMPARE(fill(level1, TWinValidCQ::RuleLabelRect(lr12s)), Yellow);
        QCOMPARE(fill(level1, TWinValidCQ::RuleLabelRect(lr13s)), Red);
        QCOMPARE(frame(level1, TWinValidCQ::RuleLabelRect(lr13s)), Black);
        QCOMPARE(frame(level1, TWinValidCQ::RuleLabelRect(lr22s)), White);
        QCOMPARE(fill(level3, TWinValidCQ::RuleLabelRect(lr12s)), m_win->palette().color(QPalette::Button));
        QCOMPARE(fill(across, TWinValidCQ::AcrossLabelRect(ar22s)), Red);
        QCOMPARE(frame(across, TWinValidCQ::AcrossLabelRect(arR4s)), White);
        // QC1's bands between y = 17 and 26, the value's black marker, a navy tick under each figure.
        const TPBoxValidCQ& box = *m_win->PBoxLevel[0];
        const int w = box.width();
        QCOMPARE(level1.pixelColor(box.X(100, w) + 3, 22), Lime);
        QCOMPARE(level1.pixelColor(box.X(95, w), 22), Yellow);
        QCOMPARE(level1.pixelColor(box.X(93, w), 22), Red);
        QVERIFY(level1.pixelColor(25, 28) != Red);
        QCOMPARE(level1.pixelColor(box.X(107, w), 29), Black);
        QCOMPARE(level1.pixelColor(box.X(100, w), 14), QColor(0, 0, 128));
    }

    void clickingALitRuleListsItsPoints()
    {
        // QC1 repeats a warning: 2:2s sees this run and the day before; 1:3s is not lit.
        TResu0 run = MakeResult(Day(3), 104.5, 101, NAN);
        Open(2, run, { { 101, 101, NAN }, { 104.5, 101, NAN } });
        QTest::mouseClick(m_win->PBoxLevel[0], Qt::LeftButton, {}, TWinValidCQ::RuleLabelRect(lr22s).center());
        QCOMPARE(m_win->PanelScope->LBPoints->count(), 2);
        // The day before is ringed on the scale, at the run's own value.
        const int x = m_win->PBoxLevel[0]->X(104.5, m_win->PBoxLevel[0]->width());
        QVERIFY(CountPixels(Grab(*m_win->PBoxLevel[0]), QRect(x - 6, 16, 13, 13), QColor(255, 128, 0)) > 5);
        QTest::mouseClick(m_win->PBoxLevel[0], Qt::LeftButton, {}, TWinValidCQ::RuleLabelRect(lr13s).center());
        QCOMPARE(m_win->PanelScope->LBPoints->count(), 2);
    }

    void recommendedRulesWhenTheLaboratoryChoseThem()
    {
        // Four values beyond one s light 4:1s, which a method of sigma 10 does without.
        QTemporaryDir dir;
        m_context->SetProgramFolder(dir.path());
        TResu0 run = MakeResult(Day(4), 102.5, NAN, NAN);
        TAnalyte& analyte = Open(1, run, { { 102.5, NAN, NAN }, { 102.5, NAN, NAN }, { 102.5, NAN, NAN } });
        QVERIFY(m_win->Result().Levels[0].Rules[lr41s] != TRuleOutcome::NotViolated);
        analyte.ReferenceStats[0].CV = 2;
        TQualityGoals goals;
        TAnalyteGoals glucose;
        glucose.Levels[0].TEa = 20;
        glucose.ApplyRecommended = true;
        goals.SetGoals("Glucose", glucose);
        QVERIFY(goals.Save(TQualityGoals::FileName(m_context->BaseName()), nullptr));
        m_win->SetQCPoint(run);
        QCOMPARE(m_win->RuleChoice().Rules.Text(), u"1:3s"_s);
        QCOMPARE(m_win->Result().Levels[0].Rules[lr41s], TRuleOutcome::NotViolated);
    }

private:
    // Glucose, levels of mean 100, warning 4 and action 6, with `history` (one
    // list of values per point) stored on days 1, 2, ...; then `run` shown.
    TAnalyte& Open(int levels, TResu0& run, const QList<QList<double>>& history = {}, bool westgard = true)
    {
        TAnalyte& analyte = m_context->ListAnalytes.Add(TAnalyte("Glucose", "mmol/L", 1, levels));
        analyte.SerumID = { 0, 1, 42 };
        if (!westgard)
            analyte.Options &= ~aoWestgard;
        for (int l = 0; l < levels; ++l)
            analyte.ReferenceStats[l] = {
                .Mean = 100, .WarningHalfWidth = 4, .ActionHalfWidth = 6, .N = 20, .Status = TLevelStats::StatusComputed
            };
        for (int i = 0; i < history.size(); ++i)
            analyte.AddPoint(MakeResult(Day(1 + i), history[i][0], history[i][1], history[i][2]));
        ClassifyAll(analyte);
        m_context->CurrentAnalyte = &analyte;
        ClassifyPoint(analyte, run);
        m_win->SetQCPoint(run);
        m_win->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(m_win.get())); }();
        return analyte;
    }

    std::unique_ptr<TQCContext> m_context;
    TScriptedDialogs m_dialogs;
    std::unique_ptr<TWinValidCQ> m_win;
};

VANTOREL_TEST(TestWinValidCQ)
#include "TestWinValidCQ.moc"
