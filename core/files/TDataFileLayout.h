#pragma once
#include "TFileStamp.h"
#include "TQCPoint.h"

#include <QByteArray>

// Sizes and offsets of the data file (".qcf"), shared by its reader and writer.
namespace DataFileLayout {

// The analyte header: 133 bytes, 75 in files of version "30".
constexpr int LongHeaderSize = 133;
constexpr int ShortHeaderSize = 75;
inline const QByteArray ShortHeaderVersion = QByteArrayLiteral("30");

constexpr int HeaderNameOffset = 0;
constexpr int HeaderUnitsOffset = 16;
constexpr int HeaderDecimalsOffset = 24;
constexpr int HeaderLevelsOffset = 28;
constexpr int HeaderSerumOffset = 32;
constexpr int HeaderModesOffset = 44;
constexpr int HeaderLockStartOffset = 48;
constexpr int HeaderLockEndOffset = 60;
constexpr int HeaderReservedOffset = 72; // 4 zero bytes; a short header ends after 3 of them
constexpr int HeaderOptionsOffset = 76;
constexpr int HeaderReservedIntOffset = 80;
constexpr int HeaderStatsOffset = 84; // 49 bytes of level 0's reference statistics
constexpr int HeaderStatsSize = LongHeaderSize - HeaderStatsOffset;

// Mean, warning and action half-widths of the three levels, extended floats.
constexpr int LevelLimitsSize = 3 * 3 * 10;

// The fewest bytes an analyte takes: no points, archives or comments.
constexpr qint64 MinimumAnalyteSize(bool shortHeader)
{
    return 4 + (shortHeader ? ShortHeaderSize : LongHeaderSize) + LevelLimitsSize + TFileStamp::Size + 4
        + TFileStamp::Size + 4 + TFileStamp::Size;
}

// No materials, no analytes and the final stamp.
constexpr qint64 MinimumFileSize = 4 + 4 + TFileStamp::Size;

} // namespace DataFileLayout
