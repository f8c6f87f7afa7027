#pragma once
#include "reports/engine/rpView.h"
#include <QtCore/QList>
#include <QtCore/QVariant>

// A property the inspector shows for the selection: its record (from the
// first object) and its value, null when the objects' values differ.
struct TrpSelectionProperty {
  TrpPropRec Rec;
  QVariant Value;
};

// The properties every object has, sorted by name; with several objects
// those meant for one object alone (ptSingleOnly) are left out. The objects
// list their properties first.
QList<TrpSelectionProperty> rpSelectionProperties(const QList<TrpObject*>& objects);
