#pragma once
#include "TPaintBox.h"
#include "TQCTypes.h"
#include "TRuleChoice.h"
#include "TValidScale.h"
#include "TWestgard.h"

#include <QDialog>
#include <QRect>
#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QPainter;
class QPushButton;
class TAnalyte;
class TDialogService;
class TQCContext;
class TScopePane;

// The scale of one level in the validation window: a paint box with the level
// index in Tag and the scale's figures (centre, half-widths, half-range, value).
class TPBoxValidCQ : public TPaintBox, public TValidScale {
    Q_OBJECT
public:
    using TPaintBox::TPaintBox;
    int Tag = 0;
};

// "QC validation": shows a new run level by level against the current limits,
// with the Westgard rule outcomes, and lets the operator discard single level
// values before accepting (OK) or holding back (Cancel) the run. One instance
// serves every run. It works on the context's current analyte.
class TWinValidCQ : public QDialog {
    Q_OBJECT
public:
    static constexpr int ScaleWidth = 410;
    static constexpr int ScaleHeight = 60;
    static constexpr int FormWidth = 530;
    static constexpr int HeaderHeight = 41;
    static constexpr int AcrossHeight = 33;
    // The pane listing a rule's points stands to the right of the design's window.
    static constexpr int ScopeWidth = 250;

    TWinValidCQ(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    // Takes the caller's run (kept by reference until the window closes), fills
    // the header, clears the discards and lays the window out for the validated
    // levels, the analyte's Westgard switch standing for the check box.
    void SetQCPoint(TResu0& run);
    // SetQCPoint, then the window modally. True when the operator accepted the
    // run: its discarded levels then have status psDiscarded and the analyte's
    // Westgard switch follows the check box. False (nothing changed) otherwise,
    // and without a current analyte.
    bool Execute(TResu0& run);

    // Layout: the window's height, the top of the across strip, a level rule
    // label in its scale (slot 0..5) and an across label in its strip (slot 0..3).
    static int WindowHeight(int levels, bool acrossShown) { return 100 * levels + (acrossShown ? 193 : 160); }
    static int AcrossTop(int levels) { return 100 * levels + 84; }
    static QRect RuleLabelRect(int slot) { return QRect(50 + 40 * slot, 35, 33, 20); }
    static QRect AcrossLabelRect(int slot) { return QRect(40 * (slot + 2) + 49, 3, 33, 20); }

    const TWestgardResult& Result() const { return m_result; }
    const TRuleChoice& RuleChoice() const { return m_choice; }
    // Lists the points of a lit rule in the scope pane: a level's slot, or an
    // across slot when level is -1.
    void ShowScope(int level, int slot);
    bool IsDiscarded(int level) const { return m_discarded[level]; }

    // Controls
    QLabel* Panel1;
    QLabel* LblUnite;
    QLabel* PanelDate;
    QLabel* LblOperator;
    QLabel* PanelOperator;
    QLabel* LblComment;
    QLabel* PanelComment;
    QFrame* Panel2;
    QFrame* PanelWGAcross;
    QLabel* Label3;
    TPaintBox* PBoxWGAcross;
    QCheckBox* CBWestg;
    QPushButton* BtOK;
    QPushButton* BtCancel;
    // The rules in force (the full multirule or the recommended ones) and the
    // points of the rule pointed at.
    QLabel* LblRules;
    TScopePane* PanelScope;
    // Made at run time on Panel2, one per level slot.
    std::array<TPBoxValidCQ*, MaxLevels> PBoxLevel {};
    std::array<QPushButton*, MaxLevels> BtReject {};
    std::array<QLabel*, MaxLevels> LblSerum {};
    std::array<QLabel*, MaxLevels> LblMode {};

    // Handlers
    void FormActivate();
    void BtRejectClick(int level);
    void CBWestgClick();
    void FormClose(int result);
    void PBoxLevelPaint(TPBoxValidCQ& box, QPainter& painter);
    void PBoxWGAcrossPaint(QPainter& painter);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormCreate();
    void CreateLevelControls(int slot);
    // Validated levels and rule outcomes for the current discards and check box,
    // then the window laid out for them.
    void Judge();
    void LayOut();
    void PaintRuleLabel(QPainter& painter, const QRect& rect, const char* name, TRuleOutcome outcome) const;
    int Levels() const;

    TQCContext& m_context;
    TDialogService& m_dialogs;
    TAnalyte* m_analyte = nullptr;
    TResu0* m_run = nullptr;
    std::array<bool, MaxLevels> m_discarded {};
    TWestgardResult m_result;
    TRuleChoice m_choice;
    // The points of the rule pointed at, marked on the scales.
    TRuleScope m_scope;
};
