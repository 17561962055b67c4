#include "TChartReport.h"

#include "TAnalyte.h"
#include "TChartGeometry.h"
#include "TColors.h"
#include "TDates.h"
#include "TFormat.h"
#include "TListSerum.h"
#include "TPrintCanvas.h"
#include "TPrintInterval.h"
#include "TPrintTable.h"
#include "TStatistics.h"

#include <cmath>

namespace {

using namespace Colors;
const char MonthNames[] = "JanFebMarAprMayJunJulAugSepOctNovDec";

// The frame of one level's chart and its value-to-pixel mapping.
struct TChartFrame {
    int X0 = 0;
    int X1 = 0;
    int Top = 0;
    int Bottom = 0;
    double Low = 0;
    double High = 0;
    double Mean = 0;
    double Scale = 1;

    int X(int position) const { return X0 + ((X1 - X0) * position) / (PrintedPositions - 1); }
    // Values outside the range stick to the edge on their side of the mean.
    int Y(double v) const
    {
        if (Low < v && v <= High)
            return Bottom - int(std::lround((v - Low) * Scale));
        return Mean >= v ? Bottom : Top;
    }
};

class TChartPrinter {
public:
    TChartPrinter(TPrintCanvas& canvas, const TAnalyte& analyte, const TListSerum& serums,
        const TChartReportOptions& options, const TRisks& risks, double today)
        : c(canvas)
        , a(analyte)
        , m_serums(serums)
        , o(options)
        , m_risks(risks)
        , m_date(ShortDateText(today))
    {
    }
    void Print(const TPrintInterval& interval);

private:
    // The horizontal extent shared by the charts and the date axis.
    TChartFrame Frame() const
    {
        TChartFrame f;
        f.X0 = 10 * cw;
        f.X1 = (c.PageWidth() * 96) / 100;
        return f;
    }
    void LevelChart(int level, int s, int e);
    void Grid(const TChartFrame& f, int level);
    void ValueScale(const TChartFrame& f);
    void Points(const TChartFrame& f, int level, int s, int e);
    void DateAxis(int s, int e);
    void StatisticsTable(const TPrintInterval& interval);
    void ClosePage();
    void Footer();
    void SetLinePen(const QColor& colour, bool dottedInBlack = false)
    {
        if (o.Colour)
            c.SetPen(colour);
        else
            c.SetPen(Qt::black, dottedInBlack ? TPenStyle::Dot : TPenStyle::Solid);
    }

    TPrintCanvas& c;
    const TAnalyte& a;
    const TListSerum& m_serums;
    const TChartReportOptions& o;
    const TRisks& m_risks;
    QString m_date;
    int Y = 0;
    int h = 0; // text height
    int cw = 0; // average character width
    int m_page = 1;
};

void TChartPrinter::Print(const TPrintInterval& interval)
{
    const int first = interval.First;
    const int last = interval.Last;
    Y = PrintTitleBox(c, QStringLiteral("  ") + a.Name + QStringLiteral(" QC charts  "));
    c.SetFontSize(8);
    const TTextMetrics metrics = c.TextMetrics();
    h = metrics.Height;
    cw = metrics.AverageCharWidth;
    for (int s = first;;) {
        const int e = s + (PrintedPositions - 1) < last ? s + (PrintedPositions - 1) : last;
        const int blockTop = Y;
        for (int level = 0; level < a.NbLevels; ++level)
            if (o.Levels[size_t(level)])
                LevelChart(level, s, e);
        DateAxis(s, e);
        Y += 2 * h;
        if (e >= last)
            break;
        s = e;
        if (c.PageHeight() - Y < 2 * h + (Y - blockTop))
            ClosePage();
    }
    if (o.Statistics) {
        const int U = c.PageHeight() / 50;
        if (c.PageHeight() - Y < (a.NbLevels + 1) * U + 2 * h)
            ClosePage();
        StatisticsTable(interval);
    }
    Footer();
}

void TChartPrinter::LevelChart(int level, int s, int e)
{
    const TSerum& serum = m_serums.FindByID(a.SerumID[size_t(level)]);
    Y += h;
    c.SetTextAlign(TTextAlign::Left);
    c.SetBold(true);
    c.SetBrush(Silver);
    c.TextOut(0, Y, serum.Name + QStringLiteral(" (") + serum.Lot + QStringLiteral(")"));
    Y += 2 * h;
    c.SetBold(false);
    c.SetBrush(Qt::white);

    const TLevelStats& ref = a.ReferenceStats[size_t(level)];
    TChartFrame f = Frame();
    f.Top = Y;
    f.Bottom = f.Top + f.X1 / 5;
    f.Low = ref.ChartLow;
    f.High = ref.ChartHigh;
    f.Mean = ref.Mean;
    f.Scale = f.High - f.Low < 0.00001 ? 2.0 : (f.Bottom - f.Top) / (f.High - f.Low);

    if (a.LimitMode[size_t(level)] == lmLocked) {
        const int lockFirst = a.LockStart[size_t(level)];
        const int lockLast = a.LockEnd[size_t(level)];
        const int left = lockFirst <= s ? f.X0 : f.X(lockFirst - s);
        const int right = lockLast >= e ? f.X(e - s) : f.X(lockLast - s);
        if (left < right) {
            c.SetPen(Qt::white);
            c.SetBrush(LockCyan);
            c.Rectangle(left, f.Top, right, f.Bottom);
            c.SetBrush(Qt::white);
        }
    }
    Grid(f, level);
    const bool holdsValues = a.AllPointsStats[size_t(level)].N + a.AllPointsStats[size_t(level)].Discarded > 0;
    if (holdsValues || a.LimitMode[size_t(level)] == lmFixed)
        ValueScale(f);
    Points(f, level, s, e);
    Y = f.Bottom;
}

void TChartPrinter::Grid(const TChartFrame& f, int level)
{
    SetLinePen(Silver);
    for (int i = 0; i < PrintedPositions; ++i)
        c.Line(f.X(i), f.Top, f.X(i), f.Bottom);
    c.Line(f.X0, f.Top, f.X1, f.Top);
    c.Line(f.X0, f.Bottom, f.X1, f.Bottom);
    const TLevelStats& ref = a.ReferenceStats[size_t(level)];
    const auto across = [&](double v) { c.Line(f.X0, f.Y(v), f.X1, f.Y(v)); };
    SetLinePen(Lime);
    across(ref.Mean);
    SetLinePen(Yellow, true);
    across(ref.Mean + ref.WarningHalfWidth);
    across(ref.Mean - ref.WarningHalfWidth);
    SetLinePen(Red, true);
    across(ref.Mean + ref.ActionHalfWidth);
    across(ref.Mean - ref.ActionHalfWidth);
    c.SetPen(c.Pen().Colour);
}

void TChartPrinter::ValueScale(const TChartFrame& f)
{
    c.SetPen(Qt::black);
    c.SetBrush(Qt::white);
    c.SetTextAlign(TTextAlign::Right);
    for (const TScaleFigure& figure : FiguresBetween(f.Low, f.High, ScaleStep(f.Low, f.High))) {
        const int y = f.Y(figure.Value);
        c.Line(f.X0, y, f.X0 - cw, y);
        // A figure wider than the margin left of the chart stays on the page.
        c.TextOut(std::max(f.X0 - 2 * cw, c.TextExtent(figure.Text).width()), y - h / 2, figure.Text);
    }
}

void TChartPrinter::Points(const TChartFrame& f, int level, int s, int e)
{
    SetLinePen(Navy);
    bool started = false;
    QPoint previous;
    for (int i = s; i <= e; ++i) {
        const TQCValue& v = a.Point(i).Values[size_t(level)];
        if (!v.IsCounted())
            continue;
        const QPoint here(f.X(i - s), f.Y(v.Value));
        if (started)
            c.Line(previous.x(), previous.y(), here.x(), here.y());
        previous = here;
        started = true;
    }
    const int r = cw;
    for (int i = s; i <= e; ++i) {
        const TQCValue& v = a.Point(i).Values[size_t(level)];
        if (!v.HasValue())
            continue;
        if (v.Status == psDiscarded)
            c.SetBrush(o.Colour ? Red : ButtonFace);
        else
            c.SetBrush(o.Colour ? Navy : QColor(Qt::black));
        const int x = f.X(i - s);
        const int y = f.Y(v.Value);
        c.Ellipse(x - r, y - r, x + r, y + r);
    }
    c.SetBrush(Qt::white);
}

void TChartPrinter::DateAxis(int s, int e)
{
    c.SetFontColour(Qt::black);
    c.SetBrush(Qt::white);
    c.SetTextAlign(TTextAlign::Centre);
    Y += h;
    const TChartFrame f = Frame();
    int previousMonth = 0;
    QString lastYear;
    for (int i = s; i <= e; ++i) {
        const QDate date = DayCountToDate(a.Point(i).DateTime);
        const int x = f.X(i - s);
        c.TextOut(x, Y, QString::number(date.day()));
        if (i == s || date.month() != previousMonth) {
            c.TextOut(x, Y + h, QString::fromLatin1(MonthNames + 3 * (date.month() - 1), 3));
            const QString year = QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
            if (year != lastYear)
                c.TextOut(x, Y + 2 * h, year);
            lastYear = year;
        }
        previousMonth = date.month();
    }
    Y += 3 * h;
}

void TChartPrinter::StatisticsTable(const TPrintInterval& interval)
{
    const int U = c.PageHeight() / 50;
    const int W = c.PageWidth() / 8;
    c.SetTextAlign(TTextAlign::Left);
    const auto row = [&](const QStringList& cells, bool head) {
        for (int col = 0; col < 4; ++col) {
            const int left = W * (col + 2);
            c.SetBrush(head || col == 0 ? Silver : QColor(Qt::white));
            c.Rectangle(left, Y, left + W + 1, Y + U + 1);
            c.TextRect(left, Y, left + W + 1, Y + U + 1, cells[col]);
        }
        Y += U;
    };
    c.SetPen(Qt::black);
    row({ QStringLiteral("Statistics"), QStringLiteral("m (") + a.Units + QStringLiteral(")"),
            QStringLiteral("C.V. (%)"), QStringLiteral("N") },
        true);
    for (int level = 0; level < a.NbLevels; ++level) {
        if (!o.Levels[size_t(level)])
            continue;
        const TLevelStats s = LevelStatistics(a, level, interval.First, interval.Last, m_risks);
        row({ m_serums.FindByID(a.SerumID[size_t(level)]).Name,
                s.N == 0 ? QString() : FormatFixed(s.Mean, 8, a.Decimals + 1),
                s.Status == TLevelStats::StatusNotComputable ? QString() : FormatFixed(s.CV, 8, 1),
                QString::number(s.N) },
            false);
    }
}

void TChartPrinter::ClosePage()
{
    Footer();
    c.NewPage();
    ++m_page;
    Y = 0;
}

void TChartPrinter::Footer()
{
    c.SetBrush(Qt::white);
    c.SetTextAlign(TTextAlign::Left);
    const QString text = QStringLiteral("- Page %1 - %2 QC - Printed on %3 -").arg(m_page).arg(a.Name, m_date);
    const QSize extent = c.TextExtent(text);
    c.TextOut((c.PageWidth() - extent.width()) / 2, c.PageHeight() - extent.height() - 2, text);
}

} // namespace

TPrintOutcome PrintChartReport(TPrintCanvas& canvas, const TAnalyte& analyte, const TListSerum& serums,
    const TChartReportOptions& options, const TRisks& risks, double today)
{
    bool anyLevel = false;
    for (int level = 0; level < analyte.NbLevels; ++level)
        anyLevel = anyLevel || options.Levels[size_t(level)];
    if (analyte.Count() == 0 || !anyLevel)
        return TPrintOutcome::NothingToPrint;
    const TPrintInterval interval = PointsBetween(analyte, options.Date1, options.Date2);
    if (!canvas.BeginDoc(QStringLiteral("Printing QC charts"), TOrientation::Portrait))
        return TPrintOutcome::DeviceFailed;
    TChartPrinter(canvas, analyte, serums, options, risks, today).Print(interval);
    return canvas.EndDoc() ? TPrintOutcome::Printed : TPrintOutcome::DeviceFailed;
}
