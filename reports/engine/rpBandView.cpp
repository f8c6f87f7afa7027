#include "reports/engine/rpBandView.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <initializer_list>

namespace {

struct TBandFlag {
  const char* Name;
  quint16 Bit;
  std::initializer_list<int> Types; // band types that list the flag
};

const TBandFlag kBandFlags[] = {
    {"Stretched", bfStretched, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17, 18, 21}},
    {"FormNewPage", bfFormNewPage, {0, 1, 5, 6, 8, 9, 11, 12, 16}},
    {"PrintIfSubsetEmpty", bfPrintIfSubsetEmpty, {5, 8}},
    {"Breaked", bfBreaked, {0, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17, 21}},
    {"OnFirstPage", bfOnFirstPage, {2, 3}},
    {"OnLastPage", bfOnLastPage, {3}},
    {"RepeatHeader", bfRepeatHeader, {4, 7, 10, 16, 18}},
    {"PrintChildIfInvisible", bfPrintChildIfInvisible, {}}, // every type but 3, listed apart
};

const TBandFlag* FlagOf(const QString& upperName) {
  for (const TBandFlag& f : kBandFlags)
    if (upperName == QString::fromLatin1(f.Name).toUpper()) return &f;
  return nullptr;
}

bool Has(std::initializer_list<int> types, int type) {
  for (int t : types)
    if (t == type) return true;
  return false;
}

bool IsDataBand(int type) { return type == 5 || type == 8 || type == 11; }

// The names of the bands of the page that satisfy the test, other than `self`, ";"-joined.
QString BandNames(const TrpView* self, const std::function<bool(int)>& test) {
  QStringList names;
  if (self->Page && !rpGlobals().EngineMode)
    for (int i = 0; i < self->Page->Count(); ++i) {
      const auto* band = dynamic_cast<const TrpBandView*>(self->Page->GetObject(i));
      if (band && band != self && test(band->GetBandType())) names.append(band->Name);
    }
  return names.join(QLatin1Char(';'));
}

} // namespace

TrpBandView::TrpBandView() {
  SetKind(2, QStringLiteral("Band"), QStringLiteral("TrpBandView"));
  Flags = bfOnFirstPage | bfOnLastPage;
  DisplayFormatCode = 0;
}

void TrpBandView::ListProperties() {
  ListViewProperties(false);
  const int t = GetBandType();
  if (t != 3) {
    AddEnumPropertyRec(QStringLiteral("ChildBand"), BandNames(this, [](int type) { return type == 21; }));
    AddPropertyRec(QStringLiteral("PrintChildIfInvisible"), ptBoolean);
  }
  for (const TBandFlag& f : kBandFlags)
    if (Has(f.Types, t)) AddPropertyRec(QLatin1String(f.Name), ptBoolean);
  if (t == 19) AddPropertyRec(QStringLiteral("DataSource"), ptEditor);
  if (IsDataBand(t)) {
    AddPropertyRec(QStringLiteral("Columns"), ptInteger);
    AddPropertyRec(QStringLiteral("ColumnWidth"), ptUnitLength);
    AddPropertyRec(QStringLiteral("ColumnGap"), ptUnitLength);
    AddPropertyRec(QStringLiteral("DataSource"), ptEditor);
  }
  if (t == 16) {
    AddPropertyRec(QStringLiteral("Condition"), ptText);
    AddEnumPropertyRec(QStringLiteral("Master"), BandNames(this, IsDataBand));
  }
  AddPropertyRec(QStringLiteral("EOF"), 0);
  if (TrpPropRec* memo = FindPropertyRec(QStringLiteral("Memo"))) memo->Name = QStringLiteral("OnBeforePrint");
}

void TrpBandView::WriteProperty(const QString& name, const QVariant& value) {
  TrpView::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (RunBand) WriteRunBand(n, value);
  if (n == QLatin1String("CHILDBAND"))
    ChildBand = rpValueToText(value);
  else if (n == QLatin1String("MASTER"))
    Master = rpValueToText(value);
  else if (n == QLatin1String("CONDITION"))
    DisplayFormatText = rpValueToText(value);
  else if (n == QLatin1String("COLUMNS"))
    Columns = qint32(rpValueToInteger(value));
  else if (n == QLatin1String("COLUMNGAP"))
    ColumnGap = qint32(rpValueToInteger(value));
  else if (n == QLatin1String("COLUMNWIDTH"))
    ColumnWidth = qint32(rpValueToInteger(value));
  else if (n == QLatin1String("NEWCOLUMNAFTER"))
    NewColumnAfter = qint32(rpValueToInteger(value));
  else if (n != QLatin1String("STRETCHED"))
    if (const TBandFlag* f = FlagOf(n)) Flags = rpValueToInteger(value) != 0 ? Flags | f->Bit : Flags & ~f->Bit;
}

void TrpBandView::WriteRunBand(const QString& n, const QVariant& value) {
  TrpBand& band = *RunBand;
  const auto number = [&value] { return int(rpValueToInteger(value)); };
  if (n == QLatin1String("LEFT"))
    band.x = number();
  else if (n == QLatin1String("TOP"))
    band.y = number();
  else if (n == QLatin1String("WIDTH"))
    band.width = number();
  else if (n == QLatin1String("HEIGHT"))
    band.height = number();
  else if (n == QLatin1String("VISIBLE"))
    band.visible = rpValueToInteger(value) != 0;
  else if (n == QLatin1String("BREAKED"))
    band.breaked = rpValueToInteger(value) != 0;
  else if (n == QLatin1String("CONDITION"))
    band.groupCondition = rpParser().ToPostfix(rpValueToText(value));
  else if (n == QLatin1String("DATASOURCE")) {
    band.ReleaseDataSets();
    band.ResolveDataSource(rpValueToText(value));
  } else if (n == QLatin1String("CHILDBAND")) {
    const auto* childView = Page ? dynamic_cast<TrpBandView*>(Page->FindObject(rpValueToText(value))) : nullptr;
    band.child = childView ? childView->RunBand : nullptr;
  }
}

QVariant TrpBandView::CallMethod(const QString& name, const QVariant& a1, const QVariant& a2, const QVariant& a3) {
  QVariant result = TrpView::CallMethod(name, a1, a2, a3);
  TrpDataset* data = RunBand ? RunBand->dataSource : nullptr;
  if (!data) return result;
  if (name == QLatin1String("NEXT"))
    data->Next();
  else if (name == QLatin1String("PRIOR"))
    data->Prior();
  else if (name == QLatin1String("FIRST"))
    data->First();
  return result;
}

QVariant TrpBandView::ReadProperty(const QString& name) {
  const QString n = name.toUpper();
  if (RunBand) {
    if (n == QLatin1String("LEFT")) return rpIntegerValue(RunBand->x);
    if (n == QLatin1String("TOP")) return rpIntegerValue(RunBand->y);
    if (n == QLatin1String("WIDTH")) return rpIntegerValue(RunBand->width);
    if (n == QLatin1String("HEIGHT")) return rpIntegerValue(RunBand->height);
    if (n == QLatin1String("VISIBLE")) return RunBand->visible;
  }
  QVariant result = TrpView::ReadProperty(name);
  if (!rpIsNull(result)) return result;
  if (n == QLatin1String("EOF")) return !RunBand || !RunBand->dataSource || RunBand->dataSource->Eof();
  if (n == QLatin1String("CHILDBAND")) return ChildBand;
  if (n == QLatin1String("MASTER")) return Master;
  if (n == QLatin1String("CONDITION")) return DisplayFormatText;
  if (n == QLatin1String("COLUMNS")) return rpIntegerValue(Columns);
  if (n == QLatin1String("COLUMNGAP")) return rpIntegerValue(ColumnGap);
  if (n == QLatin1String("COLUMNWIDTH")) return rpIntegerValue(ColumnWidth);
  if (n == QLatin1String("NEWCOLUMNAFTER")) return rpIntegerValue(NewColumnAfter);
  if (const TBandFlag* f = FlagOf(n)) return (Flags & f->Bit) != 0;
  return {};
}

void TrpBandView::SaveToStream(TBinaryWriter& stream) {
  RecordSubVersion = 1;
  TrpView::SaveToStream(stream);
  rpWriteString(stream, ChildBand);
  for (qint32 v : {Columns, ColumnWidth, ColumnGap, NewColumnAfter})
    rpWriteInteger(stream, v);
  rpWriteString(stream, Master);
}

void TrpBandView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  if (rpGlobals().StreamVersion <= 23) return;
  ChildBand = rpReadReportString(stream);
  Columns = rpReadInteger(stream);
  ColumnWidth = rpReadInteger(stream);
  ColumnGap = rpReadInteger(stream);
  NewColumnAfter = rpReadInteger(stream);
  if (RecordVersionPair() > 20) Master = rpReadReportString(stream);
}

void TrpBandView::WriteXmlElement(QString& element) {
  static const char* const names[] = {
      "TrpxReportTitle", "TrpxReportSummary", "TrpxPageHeader",   "TrpxPageFooter", "TrpxHeader",
      "TrpxMasterData",  "TrpxFooter",        "TrpxHeader",       "TrpxDetailData", "TrpxFooter",
      "TrpxHeader",      "TrpxSubDetailData", "TrpxFooter",       "TrpxOverlay",    "TrpxColumnHeader",
      "TrpxColumnFooter", "TrpxGroupHeader",  "TrpxGroupFooter",  nullptr,          nullptr,
      nullptr,           "TrpxChild"};
  const int type = GetBandType();
  if (type < 0 || type > 21 || !names[type]) return;
  element += QLatin1Char('<') + QLatin1String(names[type]);
  rpXmlAttribute(element, QStringLiteral("Name"), Name);
  rpXmlAttribute(element, QStringLiteral("Top"), Top);
  rpXmlAttribute(element, QStringLiteral("Height"), Height);
  rpXmlAttribute(element, QStringLiteral("Columns"), Columns);
  rpXmlAttribute(element, QStringLiteral("ColumnWidth"), ColumnWidth);
  rpXmlAttribute(element, QStringLiteral("ColumnGap"), ColumnGap);
  if (!Visible) rpXmlAttribute(element, QStringLiteral("Visible"), QStringLiteral("False"));
  if (!ChildBand.isEmpty()) rpXmlAttribute(element, QStringLiteral("Child"), ChildBand);
  const auto flag = [&](quint16 bit, const char* name, bool whenSet, const char* value) {
    if (bool(Flags & bit) == whenSet) rpXmlAttribute(element, QLatin1String(name), QLatin1String(value));
  };
  flag(bfStretched, "Stretched", true, "True");
  flag(bfFormNewPage, "StartNewPage", true, "True");
  flag(bfPrintIfSubsetEmpty, "PrintIfDetailEmpty", true, "True");
  flag(bfBreaked, "AllowSplit", true, "True");
  flag(bfOnFirstPage, "PrintOnFirstPage", false, "False");
  flag(bfOnLastPage, "PrintOnLastPage", false, "False");
  flag(bfRepeatHeader, "ReprintOnNewPage", true, "True");
  flag(bfPrintChildIfInvisible, "PrintChildIfInvisible", true, "True");
  if (!Script.isEmpty()) rpXmlAttribute(element, QStringLiteral("OnBeforePrint"), Name + QStringLiteral("OnBeforePrint"));
  if (type == 5 || type == 8 || type == 11) {
    QObject* source = nullptr;
    try {
      if (!DisplayFormatText.isEmpty()) source = rpFindDataSet(DisplayFormatText);
    } catch (const Exception&) {
      source = nullptr; // a report without an owner reaches no data set
    }
    if (qobject_cast<TrpDataset*>(source)) rpXmlAttribute(element, QStringLiteral("DataSetName"), source->objectName());
  }
  if (type == 16) rpXmlAttribute(element, QStringLiteral("Condition"), DisplayFormatText);
}
