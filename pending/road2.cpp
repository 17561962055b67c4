    if (WinValidCQ && WinValidCQ->Execute(run))
        StoreRun(run);
    else
        HoldRun(std::move(run));
    ClearEntryForm();
    ApplyBackupReminder(false);
