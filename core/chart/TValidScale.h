#pragma once
#include "TQCTypes.h"
#include <array>

#include <QList>
#include <QString>

// The horizontal scale of one level in the validation window: the level's
// limits around a centre, and the run's value on it. Values map onto the
// pixels Margin .. width - Margin.
struct TValidScale {
    static constexpr int Margin = 20;

    double Centre = 0.0; // the value at the middle of the scale
    double WarningHalfWidth = 0.5;
    double ActionHalfWidth = 0.8;
    double HalfRange = 1.2; // from the centre to either end of the scale
    double Value = 0.0; // the run's value
    bool HasStatistics = false; // the level's statistics are available: figures are drawn

    // Sets the scale for a run's cell against the level's reference statistics.
    // Without a value in the cell only Value changes.
    void Prepare(const TLevelStats& reference, const TQCValue& cell);
    // Horizontal pixel of a value on a scale `width` pixels wide (the middle
    // when the scale has no extent).
    int X(double value, int width) const;
};

// One figure written above the scale.
struct TScaleFigure {
    double Value = 0.0;
    QString Text;
};

// The spacing of the figures over a scale: a step of 1, 2, 4 or 5 tenths of a
// power of ten, or the power itself, and the decimals it needs.
struct TScaleStep {
    double Step = 0.0;
    int Decimals = 0;
};
// The step for a scale of the given half-range; a zero Step when the range is
// empty or not a number.
TScaleStep ScaleStepFor(double halfRange);
// The power of ten a scale's step is drawn from: for a range above 1 the
// largest power below it, else the largest power of ten not above it. The
// range must be positive and finite.
double DecadeUnit(double range);
// Digits after the separator that a step needs (0 for a step of 1 or more).
int StepDecimals(double step);
// The step for a positive, finite range: one of the five multiples of the
// range's power of ten, chosen by the range's ratio to that power (below 1.2,
// 2.4, 3, 6, or above), with the decimals it needs.
TScaleStep StepFromMultiples(double range, const std::array<double, 5>& multiples);
// The figures from the first multiple of the step above low (at or below it
// for a negative low) up to high; at most MaxScaleFigures.
QList<TScaleFigure> FiguresBetween(double low, double high, const TScaleStep& step, QChar separator = QChar());
// The figures from the first multiple of the step inside the scale up to its
// upper end, in fixed notation with six significant digits. At most
// MaxScaleFigures are made, so a range too small for its centre cannot loop.
constexpr int MaxScaleFigures = 100;
QList<TScaleFigure> ScaleFigures(double centre, double halfRange, QChar separator = QChar());
