#include "reports/designer/rpInspectorRules.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpView.h"

namespace {

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

template <class Visit> void ForEachObject(const TrpReport& report, Visit visit) {
  for (int p = 0; p < report.Pages.Count(); ++p) {
    const TrpPage* page = report.Pages.GetPage(p);
    for (int i = 0; i < page->Count(); ++i)
      visit(page->GetObject(i));
  }
}

// Whether the record's names stand for the positions of a stored number.
bool NamesArePositions(const TrpPropRec& rec, const QVariant& stored) {
  return (rec.Type & ptEnum) && rec.EnumValues.toList().isEmpty() && !rec.EnumNames.isEmpty() &&
         rpValueKind(stored) == TrpValueKind::Integer;
}

} // namespace

bool rpNameIsFree(const TrpReport& report, const TrpView& object, const QString& name) {
  bool taken = false;
  ForEachObject(report,
                [&](const TrpView* other) { taken = taken || (other != &object && SameName(other->Name, name)); });
  if (taken) return false;
  // A control's own component bears its old name; that one does not count.
  if (dynamic_cast<const TrpControl*>(&object) && !SameName(object.Name, name) && rpEngineStarted() &&
      rpGlobals().HostFormHasComponent)
    return !rpGlobals().HostFormHasComponent(name);
  return true;
}

bool rpRenameObject(TrpReport& report, TrpView& object, const QString& name) {
  if ((object.Restrictions & rrModify) || !rpNameIsFree(report, object, name)) return false;
  const QString old = object.Name;
  object.WriteProperty(QStringLiteral("NAME"), name);
  ForEachObject(report, [&](TrpView* other) {
    if (auto* band = dynamic_cast<TrpBandView*>(other); band && !old.isEmpty() && SameName(band->ChildBand, old))
      band->ChildBand = name;
  });
  return true;
}

bool rpInspectorMayWrite(const TrpView& object, const QString& property) {
  const QString name = property.toUpper();
  if (name == QLatin1String("LEFT") || name == QLatin1String("TOP")) return !(object.Restrictions & rrMove);
  if (name == QLatin1String("WIDTH") || name == QLatin1String("HEIGHT")) return !(object.Restrictions & rrSize);
  return true;
}

bool rpInspectorShowsUnits(const TrpPage& page, TrpDesignerUnits units) {
  return units != TrpDesignerUnits::Pixels && page.PageType == 0;
}

QVariant rpInspectorValueToPixels(const QVariant& value, quint16 type, bool inUnits, TrpDesignerUnits units) {
  if (!(type & ptUnitLength) || !inUnits || value.isNull()) return value;
  if (type & ptFloat) return rpUnitsToExactPixels(value.toDouble(), units);
  return rpUnitsToPixels(value.toDouble(), units);
}

QVariant rpEnumShownValue(const TrpPropRec& rec, const QVariant& stored) {
  if (!NamesArePositions(rec, stored)) return stored;
  const qint64 position = stored.toLongLong();
  return position >= 0 && position < rec.EnumNames.size() ? QVariant(rec.EnumNames.at(position)) : stored;
}

QVariant rpEnumWrittenValue(const TrpPropRec& rec, const QVariant& stored, const QVariant& typed) {
  if (!NamesArePositions(rec, stored)) return typed;
  const int position = int(rec.EnumNames.indexOf(typed.toString()));
  return position >= 0 ? rpIntegerValue(position) : typed;
}
