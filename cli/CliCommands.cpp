// The table of the companion's commands: a new command is a handler in its own
// file and one entry here.
#include "CliCommands.h"

namespace {

const TCliOption Folder { "folder", "DIR", "the folder of the program's files", "the folder the program would use" };
const TCliOption Data { "data", "FILE", "one data file read alone (.qcf, .dat or .sav)",
    "the data file of the program's folder" };
const TCliOption Pdf { "pdf", "FILE", "the PDF file written, only once it is complete", {}, TCliForm::Text, true };
const TCliOption Analyte { "analyte", "NAME", "the analyte, by its name in any case", {}, TCliForm::Text, true };

// The options of both print commands but --levels and the colour switches.
QList<TCliOption> PrintOptions(const QList<TCliOption>& more)
{
    return QList<TCliOption> {
        Analyte,
        { "from", "YYYY-MM-DD", "the first day printed", "the day of the analyte's first point", TCliForm::Date },
        { "to", "YYYY-MM-DD", "the last day printed", "the day of the analyte's last point", TCliForm::Date },
    }
    + more
        + QList<TCliOption> {
              { "no-statistics", {}, "leaves out the statistics of the printed points", "printed", TCliForm::Flag },
              Folder,
              Data,
              Pdf,
          };
}

// The options that choose audit trail entries.
QList<TCliOption> AuditOptions(const QList<TCliOption>& more)
{
    return QList<TCliOption> {
        { "analyte", "NAME", "only the entries of this analyte, by its name in any case", "every entry" },
        { "from", "YYYY-MM-DD", "the first day (local time) listed", "the first entry's day", TCliForm::Date },
        { "to", "YYYY-MM-DD", "the last day (local time) listed", "the last entry's day", TCliForm::Date },
    }
    + more + QList<TCliOption> { Folder };
}

} // namespace

const QList<TCliCommand>& CliCommands()
{
    static const QList<TCliCommand> commands {
        { "audit list", "Prints the audit trail's entries, oldest first, one line each or as JSON",
            AuditOptions({ { "json", {}, "prints a JSON array of the entries with every field", "one line an entry",
                TCliForm::Flag } }),
            {}, {}, CmdAuditList },
        { "audit verify", "Checks the audit trail's chain of hashes: the count, or the first broken entry", { Folder },
            {}, {}, CmdAuditVerify },
        { "check", "Says whether one of the program's files is sound, or why not", {},
            { { "FILE", "a data (.qcf), settings (.cfr), queue (.fif), version-2 (.dat) or backup (.sav) file" } }, {},
            CmdCheck },
        { "dump", "Prints the program's data, queue and settings as one JSON object", { Folder, Data }, {},
            { { "folder", "data" } }, CmdDump },
        { "evaluate", "Prints the Westgard verdict on one run, and the points each rule that fired saw, as JSON",
            {
                Analyte,
                { "datetime", "YYYY-MM-DDThh:mm:ss", "when the run was measured", {}, TCliForm::DateTime, true },
                { "values", "V1,V2,V3", "the run's values by level; an empty value means none for that level", {},
                    TCliForm::Text, true },
                { "discard", "L,...", "levels whose value is discarded", "none", TCliForm::Levels },
                { "westgard", "on|off", "judges the run with the Westgard rules or not", "the analyte's own setting",
                    TCliForm::OnOff },
                Folder,
                Data,
            },
            {}, { { "folder", "data" } }, CmdEvaluate },
        { "sigma", "Prints the sigma metric of an analyte's levels, the rules recommended for it and their power",
            {
                Analyte,
                { "tea", "PERCENT", "the allowable total error of every level, in percent",
                    "the laboratory's stored goals" },
                { "target", "L1,L2,L3", "the target values by level; an empty value keeps the stored one",
                    "the stored targets, else the stored bias, else a bias of 0" },
                { "json", {}, "prints one JSON object", "text", TCliForm::Flag },
                Folder,
                Data,
            },
            {}, { { "folder", "data" } }, CmdSigma },
        { "export", "Prints an analyte's points as QC text", { Analyte, Folder }, {}, {}, CmdExport },
        { "print data", "Prints an analyte's QC data as a table into a PDF file, as the data printing window does",
            PrintOptions({}), {}, { { "folder", "data" } }, CmdPrintData },
        { "print charts", "Prints an analyte's control charts into a PDF file, as the chart printing window does",
            PrintOptions({
                { "levels", "L,...", "the levels charted", "every level of the analyte", TCliForm::Levels },
                { "colour", {}, "prints in colour", "the settings' choice, else black and white", TCliForm::Flag },
                { "black-and-white", {}, "prints in black and white with dotted limit lines", "the settings' choice",
                    TCliForm::Flag },
            }),
            {}, { { "folder", "data" }, { "colour", "black-and-white" } }, CmdPrintCharts },
        { "print daily", "Prints one day's QC of all analytes into a PDF file, as the daily QC window does",
            { { "date", "YYYY-MM-DD", "the day printed", {}, TCliForm::Date, true }, Folder, Data, Pdf }, {},
            { { "folder", "data" } }, CmdPrintDaily },
        { "print limits", "Prints an analyte's control limits into a PDF file, as the control-limits view does",
            { Analyte, Folder, Data, Pdf }, {}, { { "folder", "data" } }, CmdPrintLimits },
        { "print archives", "Prints the list of an analyte's archives into a PDF file, as the archives window does",
            { Analyte, Folder, Data, Pdf }, {}, { { "folder", "data" } }, CmdPrintArchives },
        { "print archive", "Prints one archive's points into a PDF file, as the archive view does",
            { { "number", "N", "the archive's number", {}, TCliForm::Text, true }, Folder, Data, Pdf }, {},
            { { "folder", "data" } }, CmdPrintArchive },
        { "print audit", "Prints the audit trail's entries into a PDF file, as the audit trail window does",
            AuditOptions({ Pdf }), {}, {}, CmdPrintAudit },
    };
    return commands;
}
