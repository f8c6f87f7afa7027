#pragma once
#include <QtCore/QString>

class TrpReport;

// What the expression builder's dialogs share: the naming rule, the values
// they remember for the program's run, the report they list, and the two
// insert services the designer's text editors use.

// The name as given when every character is A-Z, 0-9, "." or "_" after
// upper-casing (or it is empty); otherwise the name enclosed in "[" and "]".
QString rpBracketIfNeeded(const QString& name);

// The variable category and the data set the choosers showed last.
QString& rpLastVariableCategory();
QString& rpLastFieldsDataset();

// The report being designed (the engine's current report), or null.
TrpReport* rpDesignedReport();

// A composed expression as the text editors insert it: "[a]" stays, anything
// else (also "[a]+[b]") is enclosed in one more pair of brackets; empty stays empty.
QString rpExpressionToInsert(const QString& expression);

// The designer's services: show the expression dialog (empty) or the field
// chooser and return the text to insert, empty when cancelled or nothing chosen.
QString rpInsertExpression();
QString rpInsertDBField();
