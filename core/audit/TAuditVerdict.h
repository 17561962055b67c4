#pragma once
#include <QJsonObject>

struct TWestgardResult;

// The Westgard verdict a run was stored with, as its audit entry records it:
// "rules" lists each rule that fired ("QC1 1:2s warning", "across R:4s
// rejection"), "accepted" that the operator stored the run all the same.
QJsonObject AuditVerdictJson(const TWestgardResult& result);
