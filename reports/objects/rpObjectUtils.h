#pragma once
#include <QtCore/QString>

// Sets a named integer constant of scripts and expressions.
void rpSetScriptConstant(const char* name, int value);

// The XML attributes "DataSet" (owner, ".", data set) and "DataField" of a
// field reference, when it names both a data set and a field.
void rpXmlDataFieldAttributes(QString& element, const QString& reference);
