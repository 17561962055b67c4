#pragma once
#include "TWestgard.h"

#include <QFrame>

class QLabel;
class QListWidget;
class TAnalyte;

// The pane of the validation window that lists the points a lit rule saw: when,
// which level, the value, the run being judged marked.
class TScopePane : public QFrame {
    Q_OBJECT
public:
    explicit TScopePane(QWidget* parent = nullptr);

    // The points of a rule; an empty scope clears the list.
    void ShowScope(const TAnalyte& analyte, const TResu0& run, const QString& rule, const TRuleScope& scope);
    void Clear();

    QLabel* LblRule;
    QListWidget* LBPoints;
};
