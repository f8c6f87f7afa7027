#pragma once
#include "reports/designer/rpDesignerUnits.h"
#include <QtCore/QString>
#include <QtCore/QVariant>

class TrpPage;
class TrpReport;
class TrpView;
struct TrpPropRec;

// The rules by which the designer writes what was typed into the inspector.

// Whether the object may bear the name: no other object of the report bears
// it (without regard to case) and, for a dialog control, no other component
// of the dialog host form.
bool rpNameIsFree(const TrpReport& report, const TrpView& object, const QString& name);

// Renames the object and the child-band references that named it; false
// (nothing changed) when the name is taken or the object may not be modified.
bool rpRenameObject(TrpReport& report, TrpView& object, const QString& name);

// Whether the property may be written to the object: position for objects
// that may be moved, size for those that may be resized, the rest always.
bool rpInspectorMayWrite(const TrpView& object, const QString& property);

// Sizes and positions are shown (and typed) in the user's units on report
// pages; in pixels on dialog pages and while the units are pixels.
bool rpInspectorShowsUnits(const TrpPage& page, TrpDesignerUnits units);

// A typed value of a property of that type: a size (ptUnitLength) typed in
// the user's units as report pixels, whole or, for a size of type ptFloat
// (the frame width), with its fraction; other values as they are.
QVariant rpInspectorValueToPixels(const QVariant& value, quint16 type, bool inUnits, TrpDesignerUnits units);

// An enumeration without a value array whose object stores a whole number
// (page type, orientation, frame style, band alignment) names its values by
// position: the name is shown for the stored number, and a typed or picked
// name is written as its position. Other values pass as they are (a child
// band's enumeration of band names stores the name itself).
QVariant rpEnumShownValue(const TrpPropRec& rec, const QVariant& stored);
QVariant rpEnumWrittenValue(const TrpPropRec& rec, const QVariant& stored, const QVariant& typed);
