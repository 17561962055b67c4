#pragma once
#include <QString>
#include <functional>

class TQCContext;

// What the backup and restore ask of the window layer: the boxes on the way and
// the copy window while the file is written or read.
class TBackupUi {
public:
    virtual ~TBackupUi() = default;
    // "No diskette in drive ..." with Retry and Cancel; true for Retry.
    virtual bool RetryMissingDisk(const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool Confirm(const QString& text) = 0;
    // Shows the copy window with `label` until HideCopy.
    virtual void ShowCopy(const QString& label) = 0;
    virtual void HideCopy() = 0;
};

// How a backup or a restore ended. Message holds the text of the one error box
// the caller shows when Ok is false.
struct TBackupResult {
    bool Ok = false;
    QString Message;
    // After a restore: the restored data could not be written to the data file
    // at once (the reason is in Message; the data in memory are restored).
    bool DataFileNotSaved = false;
};

// The backup of the data file to the backup target (a folder: a mounted
// removable volume or any folder) and its restore.
class TBackup {
public:
    static constexpr const char* MsgNoDiskette = "No diskette in drive ";
    static constexpr const char* MsgConfirmBackup = "Confirm data backup";
    static constexpr const char* MsgBackupAborted = "Backup aborted";
    static constexpr const char* MsgRestoreAborted = "Restore aborted";
    static constexpr const char* MsgNoBackupFile = "No backup file to restore";
    static constexpr const char* MsgImpossibleRestore = "Impossible to restore";
    static constexpr const char* MsgBackupOK = "Backup OK";
    static constexpr const char* MsgRestoreOK = "Restore OK";

    TBackup(TQCContext& context, TBackupUi& ui);

    // The target folder of the settings; with none chosen, the drive letter,
    // which never answers as a disk.
    QString Target() const;
    // Target + "/Vantorel" + extension (".Sav", ".Old", ".tmp").
    QString TargetFile(const QString& extension) const;

    // Writes the data in memory to "Vantorel.new" beside the backups, reads it
    // back and checks it as a restore would, then rotates: the ".Old" waits under
    // ".tmp", the ".Sav" becomes ".Old", the new file ".Sav", and ".tmp" goes. Every
    // rename is checked and undone on failure, so that after a failure the earlier
    // ".Sav" and ".Old" are as they were and Message holds the system's reason.
    // A folder that is there but cannot be written fails at once with the reason
    // (only a missing folder asks for the diskette). On success LastBackupDate is
    // today and the configuration file is written (a configuration that cannot be
    // written is logged, not the backup's failure).
    [[nodiscard]] TBackupResult Backup();
    // Replaces both lists with the ".Sav" file, only when the whole file was read
    // and its stamps are right, then writes the data file at once. Reading is all
    // it needs of the folder: read-only media serve. On failure the data in memory
    // and on disk are unchanged and Message carries the reason after its text.
    [[nodiscard]] TBackupResult Restore();

    // Writes a data file (SaveData unless a test puts a failing writer here).
    std::function<bool(const TQCContext&, const QString&, QString*)> Writer;

private:
    // Asks for the diskette while the target folder is missing; false for Cancel.
    bool WaitForDisk();
    // Empty when the file holds exactly the data in memory and reads back as a
    // data file; else what is wrong.
    QString CheckBackupFile(const QString& fileName) const;
    // Puts `fresh` in place as ".Sav"; empty on success, else the reason, with
    // the earlier backups back under their names.
    QString Rotate(const QString& fresh);

    TQCContext& m_context;
    TBackupUi& m_ui;
};
