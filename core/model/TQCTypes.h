#pragma once
#include <QString>
#include <QtGlobal>
#include <array>

// Status of one level's value in a point. 0..4 come from classification only;
// 5 and 6 are set by entry, validation, import and archiving.
enum TPointStatus : quint8 {
    psWithin = 0,
    psHighWarning = 1,
    psHighAction = 2,
    psLowWarning = 3,
    psLowAction = 4,
    psDiscarded = 5,
    psNoValue = 6,
};

constexpr int MaxLevels = 3;

// One level's value in a point (8 bytes in the files).
struct TQCValue {
    float Value = 0.0f;
    quint8 Status = psNoValue;
    quint8 Unused[3] = { 0, 0, 0 }; // carried along, never interpreted

    bool HasValue() const { return Status != psNoValue; }
    bool IsCounted() const { return Status != psNoValue && Status != psDiscarded; }
    bool operator==(const TQCValue& other) const
    {
        return Value == other.Value && Status == other.Status && Unused[0] == other.Unused[0]
            && Unused[1] == other.Unused[1] && Unused[2] == other.Unused[2];
    }
};

using TQCValues = std::array<TQCValue, MaxLevels>;

enum TLimitMode : quint8 {
    lmMobile = 0,
    lmLocked = 1,
    lmFixed = 2,
};

// The captions of the three limit modes, indexed by the mode.
QString LimitModeCaption(int mode);
extern const char* const LimitModeCaptions[3];

// Analyte option bits.
enum TAnalyteOption : quint8 {
    aoWestgard = 1,
    aoCommonCV = 2,
    aoDefault = 4, // set in every new analyte, read by no operation
};

// Statistics of one level. The extended floats of the files are held as doubles.
struct TLevelStats {
    double Mean = 0.0;
    double WarningHalfWidth = 0.5;
    double ActionHalfWidth = 0.8;
    double Min = 1e10;
    double Max = -1e10;
    double ChartLow = -1.0;
    double ChartHigh = 1.0;
    qint32 N = 0;
    qint32 Discarded = 0;
    qint32 DegreesOfFreedom = 0;
    float CV = 0.0f;
    // Whether the statistics could be computed (stored as one byte in the data file).
    static constexpr quint8 StatusComputed = 0;
    static constexpr quint8 StatusNotComputable = 6;
    quint8 Status = StatusNotComputable;

    bool operator==(const TLevelStats&) const = default;
};

// A result as entered, queued or generated, before it becomes a stored point.
struct TResu0 {
    double DateTime = 0.0;
    TQCValues Values;
    QString Comment;
    QString Operator;
    QString Analyte;

    bool operator==(const TResu0& other) const
    {
        return DateTime == other.DateTime && Values == other.Values && Comment == other.Comment
            && Operator == other.Operator && Analyte == other.Analyte;
    }
};
