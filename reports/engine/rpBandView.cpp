#include "reports/engine/rpBandView.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtGui/QPainter>
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
  if (self->Page && !rpRun().EngineMode)
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
    band.groupCondition = band.build.context.Parser->ToPostfix(rpValueToText(value));
  else if (n == QLatin1String("DATASOURCE")) {
    band.ReleaseDataSets();
    band.ResolveDataSource(rpValueToText(value));
  } else if (n == QLatin1String("CHILDBAND")) {
    const auto* childView = Page ? dynamic_cast<TrpBandView*>(Page->FindObject(rpValueToText(value))) : nullptr;
    band.child = childView ? childView->RunBand : nullptr;
  }
}

QVariant TrpBandView::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                 const QVariant& a3) {
  QVariant result = TrpView::CallMethod(run, name, a1, a2, a3);
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
  if (rpRun().StreamVersion <= 23) return;
  ChildBand = rpReadReportString(stream);
  Columns = rpReadInteger(stream);
  ColumnWidth = rpReadInteger(stream);
  ColumnGap = rpReadInteger(stream);
  NewColumnAfter = rpReadInteger(stream);
  if (RecordVersionPair() > 20) Master = rpReadReportString(stream);
}

void TrpBandView::WriteXmlElement(QString& element) {
  static const char* const names[] = {"TrpxReportTitle",
                                      "TrpxReportSummary",
                                      "TrpxPageHeader",
                                      "TrpxPageFooter",
                                      "TrpxHeader",
                                      "TrpxMasterData",
                                      "TrpxFooter",
                                      "TrpxHeader",
                                      "TrpxDetailData",
                                      "TrpxFooter",
                                      "TrpxHeader",
                                      "TrpxSubDetailData",
                                      "TrpxFooter",
                                      "TrpxOverlay",
                                      "TrpxColumnHeader",
                                      "TrpxColumnFooter",
                                      "TrpxGroupHeader",
                                      "TrpxGroupFooter",
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      "TrpxChild"};
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
  if (!Script.isEmpty())
    rpXmlAttribute(element, QStringLiteral("OnBeforePrint"), Name + QStringLiteral("OnBeforePrint"));
  if (type == 5 || type == 8 || type == 11) {
    QObject* source = nullptr;
    try {
      if (!DisplayFormatText.isEmpty()) source = rpFindDataSet(rpRun().CurrentReport, DisplayFormatText);
    } catch (const Exception&) {
      source = nullptr; // a report without an owner reaches no data set
    }
    if (qobject_cast<TrpDataset*>(source)) rpXmlAttribute(element, QStringLiteral("DataSetName"), source->objectName());
  }
  if (type == 16) rpXmlAttribute(element, QStringLiteral("Condition"), DisplayFormatText);
}

// --- drawing in the designer

namespace {

QFont BandTitleFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11); // 8 points at 96 dpi
  return font;
}

} // namespace

int TrpBandView::LabelWidth() const { return qMax(100, rpGlobals().TextWidth(BandTitleFont(), Name) + 8); }

void TrpBandView::Draw(TrpRunContext& run, QPainter* canvas) {
  if (!canvas || !Page) return;
  TrpGlobals& g = rpGlobals();
  FrameWidth = 1;
  if (IsCrossBand()) {
    Top = 0;
    Height = Page->PrnInfo.Height;
  } else {
    Left = 0;
    Width = Page->PrnInfo.Width;
  }
  PrepareDrawing(run, canvas);
  ToDeviceCoords(true);
  canvas->save();
  canvas->fillRect(DrawRect, QBrush(g.CheckerBitmap));
  canvas->setFont(BandTitleFont());
  canvas->setPen(QPen(ToQColor(clBtnFace), 1));
  canvas->setBrush(Qt::NoBrush);
  canvas->drawRect(QRect(Left, Top, Width + 1, Height + 1));
  if (Columns > 1) {
    canvas->setPen(QPen(Qt::black, 1, Qt::DotLine));
    for (int i = 1; i <= Columns; ++i) {
      const int x = Page->PrintableLeft() + (i - 1) * (ColumnWidth + ColumnGap);
      canvas->drawRect(QRect(QPoint(x, Top), QPoint(x + ColumnWidth, Top + Height)));
    }
  }
  const int ascent = canvas->fontMetrics().ascent();
  const int label = LabelWidth();
  if (g.ShowBandTitles && !IsCrossBand()) {
    const QRect tab(QPoint(Left, Top - 18), QPoint(Left + label, Top));
    canvas->fillRect(tab, ToQColor(clBtnFace));
    canvas->setPen(ToQColor(clBtnShadow));
    canvas->drawLine(tab.right() - 1, tab.top(), tab.right() - 1, tab.bottom());
    canvas->setPen(Qt::black);
    canvas->drawLine(tab.right(), tab.top(), tab.right(), tab.bottom());
    canvas->drawText(QPoint(Left + 4, Top - 17 + ascent), Name);
  } else if (g.ShowBandTitles) {
    const QRect tab(QPoint(Left - 18, Top), QPoint(Left, Top + label));
    canvas->fillRect(tab, ToQColor(clBtnFace));
    canvas->setPen(ToQColor(clBtnHighlight));
    canvas->drawLine(tab.topLeft(), tab.bottomLeft());
    canvas->setPen(ToQColor(clBtnShadow));
    canvas->drawLine(tab.left(), tab.bottom() - 1, tab.right(), tab.bottom() - 1);
    canvas->setPen(Qt::black);
    canvas->drawLine(tab.bottomLeft(), tab.bottomRight());
    canvas->translate(Left - 15 + ascent, Top + canvas->fontMetrics().horizontalAdvance(Name) + 4);
    canvas->rotate(-90);
    canvas->drawText(QPoint(0, 0), Name);
  } else if (IsCrossBand()) {
    canvas->setPen(Qt::black);
    canvas->translate(Left + 2 + ascent, Top + 94);
    canvas->rotate(-90);
    canvas->drawText(QPoint(0, 0), Name);
  } else {
    canvas->setPen(Qt::black);
    canvas->drawText(QPoint(Left + 4, Top + 2 + ascent), Name);
  }
  canvas->restore();
  RestoreDesignCoords();
}

QRect TrpBandView::ObjectRegion(bool extended) const {
  const QRect own = TrpView::ObjectRegion(extended);
  if (!rpEngineStarted() || !rpGlobals().ShowBandTitles) return own;
  const int label = LabelWidth();
  const QRect tab = IsCrossBand() ? QRect(QPoint(Left - 18, Top), QPoint(Left, Top + label))
                                  : QRect(QPoint(Left, Top - 18), QPoint(Left + label, Top));
  return own.united(tab);
}
