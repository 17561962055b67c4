#pragma once
#include "TBackup.h"
#include "TDialogService.h"
#include "TStorage.h"

// The message boxes of the main window, its Lock, Fix and Archi sheets and
// their group boxes.
namespace MainMessages {
// "No analyte" has three forms, each kept as its commands always showed it
// (intended): with a full stop and Yes (data table, limits, archives, lots),
// without one and OK (random runs, sigma, export), with a full stop and OK (the
// sheets).
inline constexpr TMessage NoAnalyte { TMsgType::Error, "No analyte.", mbYes };
inline constexpr TMessage NoAnalyteOK { TMsgType::Error, "No analyte", mbOK };
inline constexpr TMessage NoAnalyteSheet { TMsgType::Error, "No analyte.", mbOK };
inline constexpr TMessage NoAnalyteToPaste { TMsgType::Error, "No analyte to paste", mbYes };
inline constexpr TMessage NoAnalyteToImport { TMsgType::Error, "No analyte to import data", mbYes };

// Start-up and exit.
inline constexpr TMessage NotSmallFont { TMsgType::Error,
    "You  are not using the small screen font.\rYou must change it to the small one (96 pixels per inch).", mbOK };
inline constexpr TMessage ScreenTooSmall { TMsgType::Error,
    "Your screen resolution is 640 x 480 pixels.\rThe programme needs a minimum resolution of 800 x 600 "
    "pixels.\rYou must change it.",
    mbOK };
inline constexpr TMessage ExitQuestion { TMsgType::Confirmation, "Exit Vantorel", mbOK | mbCancel };
inline constexpr TMessage NoUserManual { TMsgType::Error, "Impossible to open the user manual", mbYes };

// Entry and queue. The two "Nothing hold in the queue" differ by a full stop (intended).
inline constexpr TMessage EnterData { TMsgType::Error, "Enter data", mbYes };
inline constexpr TMessage QueueEmptyToClear { TMsgType::Error, "Nothing hold in the queue.", mbYes };
inline constexpr TMessage QueueEmpty { TMsgType::Error, "Nothing hold in the queue", mbYes };
// %1: the number of queued runs.
inline constexpr TMessage ConfirmClearQueue { TMsgType::Confirmation, "Erase %1 control points in the queue ?",
    mbOK | mbCancel };

// Clipboard and files. %1: the file; the reason follows on the next line.
inline constexpr TMessage BadClipboard { TMsgType::Error, "Bad clipboard format", mbYes };
inline constexpr TMessage OverwriteExport { TMsgType::Confirmation, "The file %1\ralready exists. Overwrite ?",
    mbOK | mbCancel };
inline constexpr TMessage BadFileFormat { TMsgType::Error, "Bad file format\r%1", mbYes };
inline constexpr TMessage CannotReadVersion2 { TMsgType::Error, "Cannot read data\r%1", mbYes };

// Backup and restore.
inline constexpr TMessage NoBackupFolder { TMsgType::Information,
    "No backup folder is chosen yet.\rChoose it in the backup options (Configuration > Backup/restore options).",
    mbOK };
inline constexpr TMessage BackupDone { TMsgType::Information, TBackup::MsgBackupOK, mbYes };
inline constexpr TMessage RestoreDone { TMsgType::Information, TBackup::MsgRestoreOK, mbYes };
inline constexpr TMessage CannotSaveData { TMsgType::Error, TStorage::MsgCannotSaveData, mbYes };
// %1: the audit trail's reason.
inline constexpr TMessage TrailNotCopied { TMsgType::Warning,
    "The audit trail could not be copied beside the backup:\r%1", mbOK };

// The sheets. %1: the command; %2: the sheet's caption.
inline constexpr TMessage LeaveSheet { TMsgType::Confirmation,
    "%1 leaves the sheet \"%2\" as Cancel does:\rits changes not confirmed with OK are dropped.", mbOK | mbCancel };
inline constexpr TMessage DefineInterval { TMsgType::Error,
    "Define a date interval at the bottom of the charts\r - click on one end of the interval, then Shift+click on the "
    "other end\r - or click on one end and glide to the other end;\rThe selected date interval is spotted in light "
    "blue.",
    mbOK };
// %1: the level's name.
inline constexpr TMessage NotEnoughPoints { TMsgType::Error, "Not enough QC points in the dates interval for %1",
    mbOK };
inline constexpr TMessage NothingToArchive { TMsgType::Error, "Nothing to archive", mbYes };
inline constexpr TMessage NothingToErase { TMsgType::Error, "Nothing to erase", mbYes };
// %1: the number of levels marked; %2: the analyte's name.
inline constexpr TMessage ConfirmErase { TMsgType::Confirmation,
    "You are going to erase/archive the data of %1 QC level(s) for %2\r", mbOK | mbCancel };
inline constexpr TMessage ActionBelowWarning { TMsgType::Error, "Action < Warning", mbOK };
} // namespace MainMessages
