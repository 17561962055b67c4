#pragma once
#include "TPowerFunction.h"
#include "TPowerGraph.h"
#include "TQCTypes.h"
#include "TQualityGoals.h"

#include <QDialog>
#include <QImage>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class TDialogService;
class TKeyButton;
class TPaintBox;
class TPrinterService;
class TQCContext;

// "Sigma and rules": the laboratory's quality goal per level of the current
// analyte (TEa in percent or in units, a target or a bias), the sigma metric and
// critical systematic error each gives, the rules the Westgard Sigma Rules
// recommend, and the power functions of the multirule in force and of the
// recommended rules, simulated with the program's own rules engine. The goals
// and the choice to judge the analyte with the recommended rules are kept in
// the goals file beside the data file when the window closes with OK, which a
// password locks as in the other windows that change stored data.
class TWinSigma : public QDialog {
    Q_OBJECT
public:
    static constexpr int FormWidth = 700;
    static constexpr int GraphHeight = 300;
    // Simulated runs per point of the curves and per Pfr and Ped (tests take fewer).
    static inline int Trials = 10000;

    TWinSigma(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent = nullptr);

    // Per level: TEa, TEa in units, target, bias in percent, and the results.
    std::array<QLineEdit*, MaxLevels> EditTEa {};
    std::array<QCheckBox*, MaxLevels> CBUnits {};
    std::array<QLineEdit*, MaxLevels> EditTarget {};
    std::array<QLineEdit*, MaxLevels> EditBias {};
    std::array<QLabel*, MaxLevels> LblResult {};
    QLabel* LblAnalyte;
    QLabel* LblRecommended;
    QCheckBox* CBApply;
    TPaintBox* PBoxPower;
    TKeyButton* BtCle;
    QPushButton* BtCompute;
    QPushButton* BtPrint;
    QPushButton* BtOK;
    QPushButton* BtCancel;

    // Handlers
    void FormShow();
    // Reads the goals typed; false (with a message, the field focused) on a bad number.
    bool ReadGoals(TAnalyteGoals& goals);
    void BtComputeClick();
    void BtPrintClick();
    void BtOKClick();

    const std::vector<TPowerSeries>& Series() const { return m_series; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PBoxPowerPaint(QPainter& painter);
    QStringList SummaryLines() const;

    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPrinterService& m_printers;
    TQualityGoals m_goals;
    bool m_goalsRead = true; // the goals file was read (or is absent): OK may write it
    std::vector<TLevelAdvice> m_advice;
    std::vector<TPowerSeries> m_series;
    double m_critical = -1;
    QImage m_graph;
};
