#pragma once
#include <QList>
#include <QString>

class QWidget;
struct TChange;
struct TChartView;
struct TCommitResult;
struct TCommitScope;

// What the Lock, Fix and Archi sheets need of the window that holds them: the
// charts' view and their repaint, the level names, and the commit of the
// changes they keep. The main window implements it; the sheets know nothing
// else of it.
class TSheetHost {
public:
    // The window the sheets' message boxes and password window belong to.
    virtual QWidget* SheetWindow() = 0;
    // The charts' view: chart window, selected point, interval, erase marks.
    virtual TChartView& SheetView() = 0;
    // Full repaint of the charts, and the redraw of the plots alone.
    virtual void RepaintCharts() = 0;
    virtual void RedrawCharts() = 0;
    // The name shown for a level of the current analyte: its control material.
    virtual QString LevelName(int level) const = 0;
    // No point selected any more (the charts follow).
    virtual void DeselectPoint() = 0;
    // Moves the chart window to start at point `first`.
    virtual void MoveChartWindow(int first) = 0;
    // Commits the changes through the document and shows what failed.
    virtual void Commit(const QList<TChange>& changes, const TCommitScope& scope) = 0;
    // Shows what failed in a commit the document made.
    virtual void ReportCommit(const TCommitResult& result) = 0;

protected:
    ~TSheetHost() = default;
};
