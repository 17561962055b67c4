#pragma once
#include <QString>
#include <QtGlobal>

// The rows of the t table chosen for the warning and the action limits.
struct TRisks {
    int Alert = 0; // 0..1
    int Action = 4; // 2..4
};

// The program's settings (40 bytes at the head of the configuration file). A
// default-built record holds every default except LastBackupDate, which is
// today's date (see ConfigDefaults).
struct TConfigRecord {
    static constexpr int RecordSize = 40;
    static constexpr int PasswordCapacity = 10;

    bool ShowAboutAtStart = true;
    bool PrintInColour = false;
    QString Password; // at most 10 characters; empty = no protection
    char BackupDrive = 'A';
    qint32 BackupInterval = 7; // days
    double LastBackupDate = 0; // day count; today by default
    quint8 AlertRisk = 0;
    quint8 ActionRisk = 4;
    char Version[2] = { '3', '2' };
    // Bytes the record carries without interpreting them (offsets 14, 15, 39).
    quint8 Unused14[2] = { 0, 0 };
    quint8 Unused39 = 0;
    // The backup target folder. Not part of the 40 bytes: the configuration file
    // stores it as one long string after the operator codes; empty = none chosen.
    QString BackupFolder;

    TRisks Risks() const { return { AlertRisk, ActionRisk }; }
};
