#include "reports/engine/rpView.h"
#include "core/DataSet.h"
#include "core/StringList.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpControl.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpInterpretator.h"
#include "reports/engine/rpLineView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPictureView.h"
#include "reports/engine/rpReportBase.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QLocale>
#include <QtGui/QPainter>
#include <cmath>

namespace {

constexpr int kMaxNameLength = 32;

QString JoinLines(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

bool IsTemplateMode(const TrpView& view) { return view.RecordMode == 0; }

QList<TrpAddInObjectInfo>& Registry() {
  static QList<TrpAddInObjectInfo> entries;
  return entries;
}

bool AddClass(const QString& className, TrpViewFactory create, const QImage& bitmap, const QString& hint,
              bool control) {
  QList<TrpAddInObjectInfo>& entries = Registry();
  if (entries.size() >= 64) return false;
  for (const TrpAddInObjectInfo& e : entries)
    if (e.ClassName == className) return false;
  entries.append({className, std::move(create), bitmap, hint, control});
  return true;
}

TrpReportBase* CurrentTemplate() { return rpEngineStarted() ? rpRun().CurrentReport : nullptr; }

} // namespace

// --- TrpObject

void TrpObject::AddPropertyRec(const QString& name, quint16 type, std::function<void()> editor) {
  const QString shortName = name.left(kMaxNameLength);
  // Editor properties open the designer's editor for this object while a designer is linked.
  if (!editor && (type & ptEditor) && rpEngineStarted() && rpGlobals().DesignerEditor)
    editor = [this, shortName] {
      if (rpEngineStarted() && rpGlobals().DesignerEditor) rpGlobals().DesignerEditor(this, shortName);
    };
  props_.append({shortName, type, {}, {}, std::move(editor)});
}

void TrpObject::AddEnumPropertyRec(const QString& name, const QString& names, const QVariant& values) {
  TrpPropRec rec{name.left(kMaxNameLength), ptEnum, {}, {}, {}};
  rpSplitBySemicolon(names, rec.EnumNames);
  if (values.typeId() == QMetaType::QVariantList && !values.toList().isEmpty() && !rpIsNull(values.toList().first()))
    rec.EnumValues = values;
  props_.append(rec);
}

void TrpObject::RemovePropertyRec(const QString& name) {
  props_.removeIf([&](const TrpPropRec& r) { return r.Name.compare(name, Qt::CaseInsensitive) == 0; });
}

TrpPropRec* TrpObject::FindPropertyRec(const QString& name) {
  for (TrpPropRec& r : props_)
    if (r.Name.compare(name, Qt::CaseInsensitive) == 0) return &r;
  return nullptr;
}

bool TrpObject::StringsMethod(TrpRunContext& run, QStringList& list, const QString& method, QVariant& result,
                              const QVariant& a1, const QVariant& a2, const QVariant& a3, const QString& listName) {
  const auto lineOf = [&](const QVariant& v) { return int(rpValueToInteger(v)); };
  if (method == QLatin1String("SETINDEXPROPERTY") || method == QLatin1String("GETINDEXPROPERTY")) {
    if (a1.toString().compare(listName, Qt::CaseInsensitive) != 0) return false;
    const int line = lineOf(a2);
    if (line < 0 || line >= list.size()) throw Exception(QStringLiteral("Index riadku %1 je mimo zoznamu.").arg(line));
    if (method.startsWith(QLatin1Char('S')))
      list[line] = rpValueToText(a3);
    else
      result = list[line];
    return true;
  }
  const QString suffix = method.mid(listName.size());
  if (!method.startsWith(listName) || !suffix.startsWith(QLatin1Char('.'))) return false;
  if (suffix == QLatin1String(".CLEAR")) {
    list.clear();
  } else if (suffix == QLatin1String(".ADD")) {
    list.append(rpSplitLines(rpValueToText(run.Parser->Calc(a1.toString()))));
  } else if (suffix == QLatin1String(".DELETE")) {
    const int line = lineOf(run.Parser->Calc(a1.toString()));
    if (line >= 0 && line < list.size()) list.removeAt(line);
  } else if (suffix == QLatin1String(".INDEXOF")) {
    result = rpIntegerValue(list.indexOf(rpValueToText(run.Parser->Calc(a1.toString()))));
  } else {
    return false;
  }
  return true;
}

// --- shared routines

QStringList rpSplitLines(const QString& text) {
  if (text.isEmpty()) return {};
  QString normal = text;
  normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return normal.split(QLatin1Char('\n'));
}

int rpRoundEven(double value) { return int(std::nearbyint(value)); }

qint32 rpFrameWidthCode(float width) {
  if (width <= 0) return 0;
  if (width <= 10 && std::floor(width) == width) return qint32(width);
  const qint32 thousandths = rpRoundEven(double(width) * 1000);
  // A thin width would collide with the whole numbers 0 to 10; it goes negative instead.
  return thousandths <= 10 ? -thousandths : thousandths;
}

float rpFrameWidthFromCode(qint32 code) {
  if (code < 0) return float(-double(code) / 1000);
  if (code <= 10) return float(code);
  return float(double(code) / 1000);
}

qint32 rpDefaultDisplayFormatCode() { return 2 * 256 + QLocale().decimalPoint().at(0).unicode() % 256; }

QString rpReadReportString(TBinaryReader& stream) {
  return rpRun().StreamVersion < 23 ? rpReadStringOld(stream) : rpReadString(stream);
}

void rpReadReportMemo(TBinaryReader& stream, QStringList& lines) {
  if (rpRun().StreamVersion < 23)
    rpReadMemoOld(stream, lines);
  else
    rpReadMemo(stream, lines);
}

// --- TrpView

TrpView::TrpView() { DisplayFormatCode = rpDefaultDisplayFormatCode(); }

TrpView::~TrpView() = default;

void TrpView::SetKind(quint8 kind, const QString& prefix, const QString& className) {
  ObjectKind = kind;
  NamePrefix = prefix;
  className_ = className;
}

void TrpView::SetBounds(int left, int top, int width, int height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
}

TrpBandView* TrpView::FindParentBand() const {
  TrpBandView* found = nullptr;
  for (int i = 0; Page && i < Page->Count(); ++i) {
    auto* band = dynamic_cast<TrpBandView*>(Page->GetObject(i));
    if (band && band != this && Left >= band->Left && Left <= band->Left + band->Width && Top >= band->Top &&
        Top <= band->Top + band->Height)
      found = band;
  }
  return found;
}

void TrpView::WriteProperty(const QString& name, const QVariant& value) {
  const QString n = name.toUpper();
  const auto asInt = [&] { return qint32(rpValueToInteger(value)); };
  if (n == QLatin1String("NAME"))
    Name = rpValueToText(value);
  else if (n == QLatin1String("LEFT"))
    Left = asInt();
  else if (n == QLatin1String("TOP"))
    Top = asInt();
  else if (n == QLatin1String("WIDTH"))
    Width = asInt();
  else if (n == QLatin1String("HEIGHT"))
    Height = asInt();
  else if (n == QLatin1String("FLAGS"))
    Flags = quint16(asInt());
  else if (n == QLatin1String("FRAMETYP"))
    FrameTyp = quint16(asInt());
  else if (n == QLatin1String("FRAMECOLOR"))
    FrameColor = asInt();
  else if (n == QLatin1String("FRAMESTYLE"))
    FrameStyle = quint16(asInt());
  else if (n == QLatin1String("FILLCOLOR"))
    FillColor = asInt();
  else if (n == QLatin1String("FRAMEWIDTH"))
    FrameWidth = float(rpValueToFloat(value));
  else if (n == QLatin1String("VISIBLE"))
    Visible = rpValueToInteger(value) != 0;
  else if (n == QLatin1String("MEMO") || n == QLatin1String("DATAFIELD"))
    Memo = rpSplitLines(rpValueToText(value));
  else if (n == QLatin1String("GAPX"))
    GapX = asInt();
  else if (n == QLatin1String("GAPY"))
    GapY = asInt();
  else if (n == QLatin1String("STRETCHED"))
    Flags = rpValueToInteger(value) != 0 ? Flags | 1 : Flags & ~1;
  else if (n == QLatin1String("BANDALIGN"))
    BandAlign = quint8(asInt());
  else if (n == QLatin1String("TAG"))
    Tag = rpValueToText(value);
}

QVariant TrpView::ReadProperty(const QString& name) {
  const QString n = name.toUpper();
  if (n == QLatin1String("NAME")) return Name;
  if (n == QLatin1String("LEFT")) return rpIntegerValue(Left);
  if (n == QLatin1String("TOP")) return rpIntegerValue(Top);
  if (n == QLatin1String("WIDTH")) return rpIntegerValue(Width);
  if (n == QLatin1String("HEIGHT")) return rpIntegerValue(Height);
  if (n == QLatin1String("FLAGS")) return rpIntegerValue(Flags);
  if (n == QLatin1String("FRAMETYP")) return rpIntegerValue(FrameTyp);
  if (n == QLatin1String("FRAMECOLOR")) return rpIntegerValue(FrameColor);
  if (n == QLatin1String("FRAMESTYLE")) return rpIntegerValue(FrameStyle);
  if (n == QLatin1String("FILLCOLOR")) return rpIntegerValue(FillColor);
  if (n == QLatin1String("FRAMEWIDTH")) return double(FrameWidth);
  if (n == QLatin1String("VISIBLE")) return Visible;
  if (n == QLatin1String("MEMO")) return JoinLines(Memo);
  if (n == QLatin1String("GAPX")) return rpIntegerValue(GapX);
  if (n == QLatin1String("GAPY")) return rpIntegerValue(GapY);
  if (n == QLatin1String("STRETCHED")) return (Flags & 1) != 0;
  if (n == QLatin1String("BANDALIGN")) return rpIntegerValue(BandAlign);
  if (n == QLatin1String("DATAFIELD")) return Memo.isEmpty() ? QString() : Memo.first();
  if (n == QLatin1String("MEMO.COUNT")) return rpIntegerValue(Memo.size());
  if (n == QLatin1String("TAG")) return Tag;
  return {};
}

QVariant TrpView::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                             const QVariant& a3) {
  QVariant result;
  if (StringsMethod(run, Memo, name, result, a1, a2, a3, QStringLiteral("MEMO"))) return result;
  if (name == QLatin1String("HIDE"))
    WriteProperty(QStringLiteral("Visible"), false);
  else if (name == QLatin1String("SHOW"))
    WriteProperty(QStringLiteral("Visible"), true);
  return result;
}

void TrpView::ListViewProperties(bool framed) {
  ClearPropertyList();
  AddPropertyRec(QStringLiteral("Name"), ptText | ptSingleOnly);
  for (const char* n : {"Left", "Top", "Width", "Height"})
    AddPropertyRec(QLatin1String(n), ptUnitLength);
  AddPropertyRec(QStringLiteral("Flags"), 0);
  if (framed) {
    AddPropertyRec(QStringLiteral("FrameTyp"), ptInteger);
    AddPropertyRec(QStringLiteral("FrameWidth"), ptUnitLength | ptFloat);
    AddPropertyRec(QStringLiteral("FrameColor"), ptColor);
    AddEnumPropertyRec(QStringLiteral("FrameStyle"),
                       QStringLiteral("psSolid;psDash;psDot;psDashDot;psDashDotDot;psDouble"));
    AddPropertyRec(QStringLiteral("FillColor"), ptColor);
    AddPropertyRec(QStringLiteral("Tag"), ptEditor | ptSingleOnly);
    AddEnumPropertyRec(QStringLiteral("BandAlign"),
                       QStringLiteral("baNone;baLeft;baRight;baCenter;baWidth;baBottom;baTop;baRest"));
  }
  AddPropertyRec(QStringLiteral("Visible"), ptBoolean);
  AddPropertyRec(QStringLiteral("Memo"), ptEditor | ptSingleOnly);
  AddPropertyRec(QStringLiteral("Memo.Count"), 0);
  AddPropertyRec(QStringLiteral("Restrictions"), ptEditor);
}

void TrpView::ListProperties() { ListViewProperties(true); }

void TrpView::SaveToStream(TBinaryWriter& stream) {
  RecordVersion = 2;
  rpWriteString(stream, Name);
  rpWriteByte(stream, RecordVersion);
  rpWriteByte(stream, RecordSubVersion);
  for (qint32 v : {Left, Top, Width, Height})
    rpWriteInteger(stream, v);
  rpWriteWord(stream, Flags);
  rpWriteWord(stream, FrameTyp);
  rpWriteInteger(stream, rpFrameWidthCode(FrameWidth));
  rpWriteInteger(stream, FrameColor);
  rpWriteWord(stream, FrameStyle);
  rpWriteInteger(stream, FillColor);
  if (IsTemplateMode(*this)) {
    rpWriteInteger(stream, DisplayFormatCode);
    rpWriteString(stream, DisplayFormatText);
    rpWriteMemo(stream, Memo);
    rpWriteMemo(stream, Script);
    rpWriteWord(stream, Visible ? 0xFFFF : 0);
  } else {
    rpWriteMemo(stream, WorkLines);
  }
  rpWriteWord(stream, Restrictions);
  rpWriteString(stream, Tag);
  rpWriteInteger(stream, GapX);
  rpWriteInteger(stream, GapY);
  rpWriteByte(stream, BandAlign);
}

void TrpView::LoadFromStream(TBinaryReader& stream) {
  const int v = rpRun().StreamVersion;
  const bool templateMode = IsTemplateMode(*this);
  if (v > 23 || (v == 23 && templateMode))
    Name = rpReadReportString(stream);
  else
    AssignFreeName();
  if (v > 23) {
    RecordVersion = rpReadByte(stream);
    RecordSubVersion = rpReadByte(stream);
  }
  Left = rpReadInteger(stream);
  Top = rpReadInteger(stream);
  Width = rpReadInteger(stream);
  Height = rpReadInteger(stream);
  Flags = rpReadWord(stream);
  FrameTyp = rpReadWord(stream);
  FrameWidth = rpFrameWidthFromCode(rpReadInteger(stream));
  FrameColor = rpReadInteger(stream);
  FrameStyle = rpReadWord(stream);
  FillColor = rpReadInteger(stream);
  if (templateMode) {
    DisplayFormatCode = rpReadInteger(stream);
    DisplayFormatText = rpReadReportString(stream);
  }
  rpReadReportMemo(stream, Memo);
  if (v > 22 && templateMode) {
    rpReadReportMemo(stream, Script);
    Visible = rpReadWord(stream) != 0;
  }
  if (v > 23) {
    Restrictions = rpReadWord(stream);
    Tag = rpReadReportString(stream);
    GapX = rpReadInteger(stream);
    GapY = rpReadInteger(stream);
  }
  if (RecordVersion > 1) BandAlign = rpReadByte(stream);
}

void TrpView::ToDeviceCoords(bool designing) {
  saved_ = {Left, Top, Width, Height, GapX, GapY, FrameWidth};
  if (designing) {
    ZoomX = ZoomY = 1;
    OffsetX = OffsetY = 0;
  }
  Left = rpRoundEven(saved_.Left * ZoomX) + OffsetX;
  Top = rpRoundEven(saved_.Top * ZoomY) + OffsetY;
  Width = rpRoundEven(saved_.Width * ZoomX);
  Height = rpRoundEven(saved_.Height * ZoomY);
  const double w = saved_.FrameWidth;
  const int a = rpRoundEven((w * ZoomX - 1) / 2), b = rpRoundEven(w * ZoomX / 2);
  const int c = rpRoundEven((w * ZoomY - 1) / 2), d = rpRoundEven(w * ZoomY / 2);
  FrameWidth = float(w * ZoomX);
  GapX = rpRoundEven(saved_.GapX * ZoomX) + b;
  GapY = rpRoundEven(saved_.GapY * ZoomY) + d / 2;
  int right = rpRoundEven((saved_.Left + saved_.Width) * ZoomX + OffsetX);
  int bottom = rpRoundEven((saved_.Top + saved_.Height) * ZoomY + OffsetY);
  int left = Left, top = Top;
  if (FrameTyp & 1) right -= b;
  if (FrameTyp & 2) bottom -= d;
  if (FrameTyp & 4) left += a;
  if (FrameTyp & 8) top += c;
  DrawRect = QRect(QPoint(left, top), QPoint(right, bottom)); // right + 1 and bottom + 1 exclusive
}

void TrpView::RestoreDesignCoords() {
  Left = saved_.Left;
  Top = saved_.Top;
  Width = saved_.Width;
  Height = saved_.Height;
  GapX = saved_.GapX;
  GapY = saved_.GapY;
  FrameWidth = saved_.FrameWidth;
}

void TrpView::Assign(TrpView& other) {
  Name = other.Name;
  ObjectKind = other.ObjectKind;
  IsSelected = other.IsSelected;
  TrpRunContext& g = rpRun();
  const quint8 version = g.StreamVersion;
  g.StreamVersion = 25;
  other.RecordMode = 0;
  RecordMode = 0;
  TBinaryWriter writer;
  other.SaveToStream(writer);
  TBinaryReader reader(writer.Data());
  LoadFromStream(reader);
  g.StreamVersion = version;
}

void TrpView::AssignFreeName() {
  Name.clear();
  TrpReportBase* report = CurrentTemplate();
  // A dialog control becomes a component of the host form, whose names must stay unique too.
  std::function<bool(const QString&)> hostHas;
  if (dynamic_cast<TrpControl*>(this) && rpEngineStarted()) hostHas = rpGlobals().HostFormHasComponent;
  for (int i = 1; i <= 10000; ++i) {
    const QString candidate = NamePrefix + QString::number(i);
    if ((!report || !report->FindObject(candidate)) && !(hostHas && hostHas(candidate))) {
      WriteProperty(QStringLiteral("Name"), candidate);
      return;
    }
  }
}

// --- TrpStretcheable

QVariant TrpStretcheable::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                     const QVariant& a3) {
  QVariant result = TrpView::CallMethod(run, name, a1, a2, a3);
  if (name == QLatin1String("CALCHEIGHT")) result = rpIntegerValue(CalcHeight(run));
  return result;
}

// --- factory and registry

bool rpAddObjectClass(const QString& className, TrpViewFactory create, const QImage& bitmap, const QString& hint) {
  return AddClass(className, std::move(create), bitmap, hint, false);
}

bool rpAddControlClass(const QString& className, TrpViewFactory create, const QImage& bitmap, const QString& hint) {
  return AddClass(className, std::move(create), bitmap, hint, true);
}

void rpRemoveObjectClass(const QString& className) {
  Registry().removeIf([&](const TrpAddInObjectInfo& e) { return e.ClassName == className; });
}

const QList<TrpAddInObjectInfo>& rpAddInObjects() { return Registry(); }

std::unique_ptr<TrpView> rpNewObjectOfType(int kind, const QString& className) {
  std::unique_ptr<TrpView> view;
  switch (kind) {
  case 0:
    view = std::make_unique<TrpMemoView>();
    break;
  case 1:
    view = std::make_unique<TrpPictureView>();
    break;
  case 2:
    view = std::make_unique<TrpBandView>();
    break;
  case 3:
    view = std::make_unique<TrpSubReportView>();
    break;
  case 4:
    view = std::make_unique<TrpLineView>();
    break;
  case 10:
    for (const TrpAddInObjectInfo& e : Registry())
      if (e.ClassName == className) {
        view.reset(e.Create());
        view->ObjectKind = 10;
        view->className_ = className;
        break;
      }
    break;
  default:
    break;
  }
  if (view) view->ObjectId = rpGlobals().NextObjectId++;
  return view;
}

// --- drawing and printing

QColor rpPaintColor(TColor color) { return QColor(rpColorToHTML(color)); }

namespace {

bool IsBand(const TrpView* view) { return dynamic_cast<const TrpBandView*>(view) != nullptr; }

// The nearest object on the same row on one side whose own alignment is the
// one that side looks for (1 left, 2 right).
TrpView* RowNeighbour(const TrpRunContext& g, const TrpView& self, const TrpPage& page, bool leftSide) {
  const TrpBandView* band = g.EngineMode ? g.CurrentBand : nullptr;
  const bool stretched = band && (band->Flags & bfStretched);
  TrpView* best = nullptr;
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* v = page.GetObject(i);
    if (v == &self || IsBand(v) || v->BandAlign != (leftSide ? 1 : 2)) continue;
    if (leftSide ? v->Left >= self.Left : v->Left <= self.Left) continue;
    // Band objects hold positions within their band while it prints.
    const int rowTop = band && !(g.Run && g.Run->OnNoBand(v)) ? self.Top - band->Top : self.Top;
    if (v->Top != rowTop && !(stretched && self.Top == v->Top)) continue;
    if (!best || (leftSide ? v->Left > best->Left : v->Left <= best->Left)) best = v;
  }
  return best;
}

} // namespace

void TrpView::PrepareDrawing(TrpRunContext& run, QPainter* canvas) {
  DrawCanvas = canvas;
  run.CurrentObject = this;
  if (BandAlign == 0) return;
  const TrpPage* page = run.EngineMode ? run.CurrentPage : Page;
  if (!page) return;
  const bool building = run.EngineMode;
  const int left = page->PrintableLeft(), right = page->PrintableRight();
  const auto leftEdge = [&] {
    const TrpView* n = RowNeighbour(run, *this, *page, true);
    return n ? n->Left + n->Width : left;
  };
  switch (BandAlign) {
  case 1:
    Left = leftEdge();
    break;
  case 2: {
    const TrpView* n = RowNeighbour(run, *this, *page, false);
    Left = n ? n->Left - Width - 1 : right - Width;
    break;
  }
  case 3:
    Left = left + (right - left - Width) / 2;
    break;
  case 4:
    if (!building) {
      const TrpBandView* band = FindParentBand();
      if (band && band->IsCrossBand()) {
        Left = band->Left;
        Width = band->Width;
      } else {
        Left = left;
        Width = right - left;
      }
    } else if (!run.CurrentBand) {
      Left = left;
      Width = right - left - 1;
    }
    break;
  case 5:
  case 6:
    if (!building) {
      if (const TrpBandView* band = FindParentBand())
        Top = BandAlign == 5 ? band->Top + band->Height - Height : band->Top;
    }
    break;
  case 7: {
    Left = leftEdge();
    const TrpView* n = RowNeighbour(run, *this, *page, false);
    Width = (n ? n->Left : right) - Left;
    break;
  }
  default:
    break;
  }
}

void TrpView::PaintBackground(const TrpRunContext& run) {
  if (run.SuppressDrawing || !DrawCanvas) return;
  const QColor color = FillColor == clNone ? QColor(Qt::white) : rpPaintColor(FillColor);
  if (run.EngineMode) {
    if (FillColor == clNone) return;
    DrawCanvas->fillRect(
        QRect(QPoint(Left, Top), QPoint(rpRoundEven(ZoomedRight()) - 1, rpRoundEven(ZoomedBottom()) - 1)), color);
  } else {
    DrawCanvas->fillRect(DrawRect, color);
  }
}

namespace {

Qt::PenStyle PenStyleOf(quint16 frameStyle) {
  switch (frameStyle) {
  case 1:
    return Qt::DashLine;
  case 2:
    return Qt::DotLine;
  case 3:
    return Qt::DashDotLine;
  case 4:
    return Qt::DashDotDotLine;
  default:
    return Qt::SolidLine;
  }
}

void DrawShiftedLine(QPainter& p, QPoint a, QPoint b, int shift) {
  const QPoint d = a.x() == b.x() ? QPoint(shift, 0) : QPoint(0, shift);
  p.drawLine(a + d, b + d);
}

} // namespace

void TrpView::PaintFrame(const TrpRunContext& run) {
  if (run.SuppressDrawing || !DrawCanvas || (run.EngineMode && (FrameTyp & 15) == 0)) return;
  QPainter& p = *DrawCanvas;
  p.save();
  if (!run.EngineMode && Width > 0 && Height > 0) {
    p.setPen(QPen(Qt::black, 1));
    const int l = Left, t = Top, r = Left + Width, b = Top + Height;
    const QLine marks[] = {{l, t + 3, l, t}, {l, t, l + 4, t}, {l, b - 3, l, b}, {l, b, l + 4, b},
                           {r - 3, t, r, t}, {r, t, r, t + 4}, {r - 3, b, r, b}, {r, b, r, b - 4}};
    for (const QLine& line : marks)
      p.drawLine(line);
  }
  const int w = rpRoundEven(FrameWidth);
  const QColor frameColor = rpPaintColor(FrameColor);
  const QColor fillColor = FillColor == clNone ? QColor(Qt::white) : rpPaintColor(FillColor);
  const Qt::PenStyle style = FrameStyle == 5 ? Qt::SolidLine : PenStyleOf(FrameStyle);
  const int right = rpRoundEven(ZoomedRight()), bottom = rpRoundEven(ZoomedBottom());
  const auto frameLine = [&](QPoint a, QPoint b) {
    if (style != Qt::SolidLine) {
      QPen pen(frameColor, 1, style);
      p.setBrush(fillColor);
      p.setPen(pen);
      for (int shift = -(w / 2); shift <= w - 1 - (w / 2); ++shift)
        DrawShiftedLine(p, a, b, shift);
    } else if (FrameStyle == 5) {
      p.setPen(QPen(frameColor, w, Qt::SolidLine, Qt::FlatCap));
      DrawShiftedLine(p, a, b, -w);
      p.setPen(QPen(fillColor, w, Qt::SolidLine, Qt::FlatCap));
      DrawShiftedLine(p, a, b, 0);
      p.setPen(QPen(frameColor, w, Qt::SolidLine, Qt::FlatCap));
      DrawShiftedLine(p, a, b, w);
    } else {
      p.setPen(QPen(frameColor, w, Qt::SolidLine, Qt::SquareCap));
      p.drawLine(a, b);
    }
  };
  if (FrameTyp & 1) frameLine({right, Top}, {right, bottom});
  if (FrameTyp & 4) frameLine({Left, Top}, {Left, bottom});
  if (FrameTyp & 2) frameLine({Left, bottom}, {right, bottom});
  if (FrameTyp & 8) frameLine({Left, Top}, {right, Top});
  p.restore();
}

QRect TrpView::ObjectRegion(bool extended) const {
  int d1, d2;
  if (FrameStyle == 5) {
    d1 = rpRoundEven(FrameWidth + (FrameWidth - 1) / 2.0);
    d2 = rpRoundEven(FrameWidth * 1.5);
  } else {
    d1 = rpRoundEven((FrameWidth - 1) / 2.0);
    d2 = rpRoundEven(FrameWidth / 2.0);
  }
  // Left, top, right and bottom as exclusive edges.
  int l = Left, t = Top, r = Left + Width + 1, b = Top + Height + 1;
  if (FrameTyp & 1) r += d1;
  if (FrameTyp & 2) b += d1;
  if (FrameTyp & 4) l -= d2;
  if (FrameTyp & 8) t -= d2;
  if (extended) {
    l -= 10;
    t -= 10;
    r += 10;
    b += 10;
  }
  return QRect(l, t, r - l, b - t);
}

void TrpView::AddContextMenuItems(QList<TrpContextMenuItem>& items) {
  const bool stretched = (Flags & 1) != 0;
  items.append({QStringLiteral("-")});
  items.append({rpLoadStr(55190), true, stretched, true, [stretched] { rpSetFlagOfSelection(1, !stretched); }});
}

void TrpView::ExpandBrackets(TrpRunContext& run, QString& text) {
  TrpReportBase* report = run.CurrentReport;
  qsizetype pos = 0;
  while (pos < text.size()) {
    const qsizetype start = text.indexOf(QLatin1Char('['), pos);
    if (start < 0) return;
    qsizetype finish = 0;
    const QString expression = rpGetBracketedText(text, start, finish);
    if (finish >= text.size()) return; // an unclosed bracket stays as it is
    QString value;
    if (report) report->GetFormattedValue(run, expression, value);
    text.replace(start, finish - start + 1, value);
    pos = start + value.size();
  }
}

void TrpView::RunScript(TrpRunContext& run) {
  if (Script.isEmpty()) return;
  TrpInterpretator& interpreter = *run.Interpreter;
  QStringList coded, errors;
  interpreter.PrepareScript(Script, coded, errors);
  if (!errors.isEmpty()) throw ErpScriptError(errors.join(QLatin1Char('\n')));
  interpreter.DoScript(coded);
}

void TrpView::WriteTypedRecord(TBinaryWriter& stream) {
  rpWriteByte(stream, ObjectKind);
  if (ObjectKind == 10) rpWriteString(stream, className_);
  SaveToStream(stream);
}

bool TrpView::BeginPreparedWrite(TrpRunContext& run, QString& keptTag) {
  PrepareDrawing(run, DrawCanvas);
  WorkLines = Memo;
  if (run.CurrentReport) run.CurrentReport->FireBeforePrint(WorkLines, this);
  RunScript(run);
  if (!Visible) return false;
  keptTag = Tag;
  if (Tag.contains(QLatin1Char('['))) ExpandBrackets(run, Tag);
  return true;
}

void TrpView::WritePrepared(TrpRunContext& run, TBinaryWriter& stream) {
  QString keptTag;
  if (!BeginPreparedWrite(run, keptTag)) return;
  if (const TrpBandView* band = run.CurrentBand) {
    if (BandAlign == 5) Top = band->Top + (run.Run ? run.Run->BandPrintedHeight() : band->Height) - Height;
    if (BandAlign == 6) Top = band->Top;
    if (BandAlign == 4 && band->IsCrossBand()) Width = band->Width;
  }
  WriteTypedRecord(stream);
  Tag = keptTag;
}

void TrpView::SendToExport(TrpRunContext& run) {
  if (run.ExportObject) run.ExportObject(Left, Top, this);
}

void rpReportObjectError(TrpRunContext& g, const Exception& error) {
  g.LoadErrorFlag = true;
  g.LoadErrorText = rpLoadStr(55200);
  QString objectPart;
  if (const TrpView* object = g.CurrentObject) {
    for (const QString& line : object->Memo)
      g.LoadErrorText += QLatin1Char('\r') + line;
    objectPart = rpLoadStr(55202) + QLatin1Char(' ') + object->Name + QLatin1Char('\r');
  }
  const QString reportName = g.CurrentReport ? g.CurrentReport->objectName() : QString();
  g.LoadErrorText += QStringLiteral("\r\r") + rpLoadStr(55201) + QLatin1Char(' ') + reportName + QLatin1Char('\r') +
                     objectPart + QLatin1Char('\r') + error.Message();
  g.BuildAborted = true;
  if (g.Run) g.Run->Terminate();
}

// --- XML form

void rpXmlAttribute(QString& element, const QString& name, const QString& value) {
  element += QLatin1Char(' ') + name + QStringLiteral("=\"") + rpStrToXML(value) + QLatin1Char('"');
}

void rpXmlAttribute(QString& element, const QString& name, qint64 value) {
  rpXmlAttribute(element, name, QString::number(value));
}

QString rpXmlFloat(double value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'g', 15);
}

void TrpView::WriteXmlElement(QString& element) {
  QString name = className_;
  if (name.startsWith(QLatin1String("Trp"))) name.insert(3, QLatin1Char('x'));
  if (name.compare(QLatin1String("TrpxSubreportView"), Qt::CaseInsensitive) == 0)
    name = QStringLiteral("TrpxSubreport");
  element += QLatin1Char('<') + name;
  rpXmlAttribute(element, QStringLiteral("Name"), Name);
  rpXmlAttribute(element, QStringLiteral("Left"), Left);
  rpXmlAttribute(element, QStringLiteral("Top"), Top);
  rpXmlAttribute(element, QStringLiteral("Width"), Width);
  rpXmlAttribute(element, QStringLiteral("Height"), Height);
  rpXmlAttribute(element, QStringLiteral("Color"), FillColor);
  if (!Visible) rpXmlAttribute(element, QStringLiteral("Visible"), QStringLiteral("False"));
  // The engine's frame bits are right 1, bottom 2, left 4, top 8; the XML form counts left, right, top, bottom.
  const int frame = (FrameTyp & 4 ? 1 : 0) | (FrameTyp & 1 ? 2 : 0) | (FrameTyp & 8 ? 4 : 0) | (FrameTyp & 2 ? 8 : 0);
  rpXmlAttribute(element, QStringLiteral("Frame.Typ"), frame);
  rpXmlAttribute(element, QStringLiteral("Frame.Width"), rpXmlFloat(FrameWidth));
  rpXmlAttribute(element, QStringLiteral("Frame.Color"), FrameColor);
  rpXmlAttribute(element, QStringLiteral("Frame.Style"), FrameStyle);
  rpXmlAttribute(element, QStringLiteral("GapX"), GapX);
  rpXmlAttribute(element, QStringLiteral("GapY"), GapY);
  rpXmlAttribute(element, QStringLiteral("TagStr"), Tag);
  rpXmlAttribute(element, QStringLiteral("Memo.text"), TStringList(Memo).Text());
  const int align = BandAlign == 7 ? 4 : BandAlign == 6 ? 0 : BandAlign;
  rpXmlAttribute(element, QStringLiteral("Align"), align);
  if (!Script.isEmpty())
    for (const char* event : {"OnBeforePrint", "OnClick", "OnActivate"})
      rpXmlAttribute(element, QLatin1String(event), Name + QStringLiteral("OnBeforePrint"));
  int restrictions = (Restrictions & 15) ? 1 : 0;
  if (Restrictions & 16) restrictions += 2;
  if (Restrictions & 32) restrictions += 4;
  if (Restrictions & 64) restrictions += 8;
  rpXmlAttribute(element, QStringLiteral("Restrictions"), restrictions);
}
