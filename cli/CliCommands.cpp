// The table of the companion's commands: a new command is a handler in its own
// file and one entry here.
#include "CliCommands.h"

namespace {

const TCliOption Folder { "folder", "DIR", "the folder of the program's files", "the folder the program would use" };
const TCliOption Data { "data", "FILE", "one data file read alone (.qcf, .dat or .sav)",
    "the data file of the program's folder" };
const TCliOption Analyte { "analyte", "NAME", "the analyte, by its name in any case", {}, TCliForm::Text, true };

} // namespace

const QList<TCliCommand>& CliCommands()
{
    static const QList<TCliCommand> commands {
        { "check", "Says whether one of the program's files is sound, or why not", {},
            { { "FILE", "a data (.qcf), settings (.cfr), queue (.fif), version-2 (.dat) or backup (.sav) file" } }, {},
            CmdCheck },
        { "dump", "Prints the program's data, queue and settings as one JSON object", { Folder, Data }, {},
            { "folder", "data" }, CmdDump },
        { "evaluate", "Prints the Westgard verdict on one run as JSON",
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
            {}, { "folder", "data" }, CmdEvaluate },
        { "export", "Prints an analyte's points as QC text", { Analyte, Folder }, {}, {}, CmdExport },
    };
    return commands;
}
