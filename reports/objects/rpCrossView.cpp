#include "reports/objects/rpCrossView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/RegisterReportObjects.h"
#include "reports/objects/rpCrossForm.h"
#include "reports/objects/rpDictionaryForm.h"
#include <QtGui/QPainter>

namespace {

// A format memo: its name prefix, caption string, bold, alignment, fill and its place in the miniature.
struct TCrossFormatMemo {
  const char* Prefix;
  int Caption;
  bool Bold;
  int Alignment;
  TColor Fill;
  QPoint Place;
};

constexpr TColor kTotalFill = 0xF5F5F5;      // RGB 245, 245, 245
constexpr TColor kGrandTotalFill = 0xC0C0C0; // RGB 192, 192, 192
constexpr int kCentred = 10;                 // centred both ways
constexpr int kRightTop = 1;

const TCrossFormatMemo kCrossFormatMemos[] = {
    {"ColumnHeaderMemo", 55604, true, kCentred, clNone, {92, 8}},
    {"ColumnTotalMemo", 55601, true, kCentred, kTotalFill, {176, 8}},
    {"GrandColumnTotalMemo", 55600, true, kCentred, kGrandTotalFill, {260, 8}},
    {"RowHeaderMemo", 55604, true, kCentred, clNone, {8, 28}},
    {"CellMemo", 55603, false, kRightTop, clNone, {92, 28}},
    {"RowTotalMemo", 55601, true, kCentred, kTotalFill, {8, 48}},
    {"GrandRowTotalMemo", 55600, true, kCentred, kGrandTotalFill, {8, 68}},
};

constexpr quint16 kOnePerPage = 0x2000;
constexpr quint16 kNoUndo = 0x4000;
constexpr quint16 kFixedMemo = 0x70; // format memos may not be resized, moved or deleted

} // namespace

QString rpCrossFieldName(const QString& entry) { return entry.section(QLatin1Char('+'), 0, 0); }

QStringList rpCrossFieldEntries(const QString& line) {
  QStringList parts = line.split(QLatin1Char(';'));
  parts.removeLast();
  return parts;
}

TrpCrossView::TrpCrossView() {
  SetKind(10, QStringLiteral("Cross"), QStringLiteral("TrpCrossView"));
  Visible = false;
  FrameTyp = 15;
  Width = 348;
  Height = 94;
  Restrictions = 17;
  Flags |= kOnePerPage | kNoUndo;
  Report = dynamic_cast<TrpReport*>(rpRun().CurrentReport);
  if (Report) rpCrossLists().AddView(this);
}

TrpCrossView::~TrpCrossView() {
  // The format memos go with the object, each by its own entry.
  if (Page)
    for (const TCrossFormatMemo& format : kCrossFormatMemos)
      if (TrpView* memo = Page->FindObject(QLatin1String(format.Prefix) + Name))
        for (int i = 0; i < Page->Count(); ++i)
          if (Page->GetObject(i) == memo) {
            Page->Delete(i);
            break;
          }
  rpCrossLists().RemoveView(this);
  FreeBuild();
}

void TrpCrossView::WriteProperty(const QString& name, const QVariant& value) {
  TrpView::WriteProperty(name, value);
  const QString n = name.toUpper();
  const auto flag = [&] { return rpValueToInteger(value) != 0; };
  const auto number = [&] { return qint32(rpValueToInteger(value)); };
  if (n == QLatin1String("INTERNALFRAME"))
    InternalFrame = flag();
  else if (n == QLatin1String("REPEATCAPTIONS"))
    RepeatCaptions = flag();
  else if (n == QLatin1String("SHOWHEADER"))
    ShowHeader = flag();
  else if (n == QLatin1String("SHOWGRANDTOTAL"))
    ShowGrandTotal = flag();
  else if (n == QLatin1String("DATAWIDTH"))
    DataWidth = number();
  else if (n == QLatin1String("HEADERWIDTH"))
    HeaderWidth = number();
  else if (n == QLatin1String("MAXNAMELEN"))
    MaxNameLen = number();
  else if (n == QLatin1String("DATACAPTION"))
    DataCaption = rpValueToText(value);
}

QVariant TrpCrossView::ReadProperty(const QString& name) {
  QVariant result = TrpView::ReadProperty(name);
  if (!rpIsNull(result)) return result;
  const QString n = name.toUpper();
  if (n == QLatin1String("INTERNALFRAME")) return InternalFrame;
  if (n == QLatin1String("REPEATCAPTIONS")) return RepeatCaptions;
  if (n == QLatin1String("SHOWHEADER")) return ShowHeader;
  if (n == QLatin1String("SHOWGRANDTOTAL")) return ShowGrandTotal;
  if (n == QLatin1String("DATAWIDTH")) return rpIntegerValue(DataWidth);
  if (n == QLatin1String("HEADERWIDTH")) return rpIntegerValue(HeaderWidth);
  if (n == QLatin1String("MAXNAMELEN")) return rpIntegerValue(MaxNameLen);
  if (n == QLatin1String("DATACAPTION")) return DataCaption;
  return {};
}

void TrpCrossView::ListProperties() {
  TrpView::ListProperties();
  for (const char* name : {"InternalFrame", "RepeatCaptions", "ShowHeader", "ShowGrandTotal"})
    AddPropertyRec(QLatin1String(name), ptBoolean);
  AddPropertyRec(QStringLiteral("DataWidth"), ptInteger);
  AddPropertyRec(QStringLiteral("HeaderWidth"), ptInteger);
  AddPropertyRec(QStringLiteral("Dictionary"), ptEditor | ptSingleOnly, [this] { EditDictionary(); });
  AddPropertyRec(QStringLiteral("MaxNameLen"), ptInteger);
  AddPropertyRec(QStringLiteral("DataCaption"), ptText);
  // The names of the format memos and of every generated object derive from the object's.
  RemovePropertyRec(QStringLiteral("Name"));
}

TrpMemoView* TrpCrossView::FormatMemo(const QString& prefix) const {
  const QString name = prefix + Name;
  TrpView* found = Report ? Report->FindObject(name) : Page ? Page->FindObject(name) : nullptr;
  return dynamic_cast<TrpMemoView*>(found);
}

void TrpCrossView::CreateFormatMemos() {
  TrpPage* page = HoldingPage();
  if (!page) return;
  for (const TCrossFormatMemo& format : kCrossFormatMemos) {
    std::unique_ptr<TrpView> object = rpNewObjectOfType(0, {});
    auto& memo = static_cast<TrpMemoView&>(*object);
    memo.Name = QLatin1String(format.Prefix) + Name;
    memo.SetBounds(Left + format.Place.x(), Top + format.Place.y(), 80, kLineHeight);
    memo.Visible = false;
    memo.FrameTyp = 15;
    memo.Restrictions = kFixedMemo;
    memo.Memo = {rpLoadStr(format.Caption)};
    memo.Font.Style.Bold = format.Bold;
    memo.Alignment = format.Alignment;
    memo.FillColor = format.Fill;
    page->Add(std::move(object));
  }
}

TrpPage* TrpCrossView::HoldingPage() const {
  if (Page)
    for (int i = 0; i < Page->Count(); ++i)
      if (Page->GetObject(i) == this) return Page;
  return nullptr;
}

void TrpCrossView::Draw(TrpRunContext& run, QPainter* canvas) {
  if (!FormatMemo(QStringLiteral("ColumnHeaderMemo"))) CreateFormatMemos();
  for (const TCrossFormatMemo& format : kCrossFormatMemos)
    if (TrpMemoView* memo = FormatMemo(QLatin1String(format.Prefix))) {
      memo->Left = Left + format.Place.x();
      memo->Top = Top + format.Place.y();
    }
  PrepareDrawing(run, canvas);
  ToDeviceCoords(!run.EngineMode);
  PaintBackground(run);
  PaintFrame(run);
  const QRect device(Left, Top, Width, Height);
  RestoreDesignCoords();
  for (const TCrossFormatMemo& format : kCrossFormatMemos)
    if (TrpMemoView* memo = FormatMemo(QLatin1String(format.Prefix))) {
      memo->ZoomX = ZoomX;
      memo->ZoomY = ZoomY;
      memo->OffsetX = OffsetX;
      memo->OffsetY = OffsetY;
      memo->Draw(run, canvas);
    }
  static const QImage bitmap = rpObjectBitmap("RP_CROSSVIEW");
  if (canvas && !run.SuppressDrawing) canvas->drawImage(device.right() - 19, device.bottom() - 19, bitmap);
  run.CurrentObject = this;
}

void TrpCrossView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  const int version = RecordSubVersion;
  InternalFrame = rpReadByte(stream) != 0;
  RepeatCaptions = rpReadByte(stream) != 0;
  ShowHeader = rpReadByte(stream) != 0;
  ShowGrandTotal = version >= 1 ? rpReadByte(stream) != 0 : true;
  DataWidth = version >= 1 ? rpReadInteger(stream) : -1;
  HeaderWidth = version >= 1 ? rpReadInteger(stream) : -1;
  Dictionary.clear();
  if (version >= 2) {
    // Every line is stored with its line break.
    const QString lines = rpReadString(stream);
    Dictionary = rpSplitLines(lines);
    if (lines.endsWith(QLatin1Char('\n')) && !Dictionary.isEmpty() && Dictionary.last().isEmpty())
      Dictionary.removeLast();
  }
  MaxNameLen = version >= 2 ? rpReadInteger(stream) : 100;
  DataCaption = version >= 3 ? rpReadString(stream) : QStringLiteral("Data");
}

void TrpCrossView::SaveToStream(TBinaryWriter& stream) {
  RecordSubVersion = kClassVersion;
  TrpView::SaveToStream(stream);
  rpWriteByte(stream, InternalFrame ? 1 : 0);
  rpWriteByte(stream, RepeatCaptions ? 1 : 0);
  rpWriteByte(stream, ShowHeader ? 1 : 0);
  rpWriteByte(stream, ShowGrandTotal ? 1 : 0);
  rpWriteInteger(stream, DataWidth);
  rpWriteInteger(stream, HeaderWidth);
  QString dictionary;
  for (const QString& line : Dictionary)
    dictionary += line + QStringLiteral("\r\n");
  rpWriteString(stream, dictionary);
  rpWriteInteger(stream, MaxNameLen);
  rpWriteString(stream, DataCaption);
}

void TrpCrossView::AddContextMenuItems(QList<TrpContextMenuItem>& items) {
  const auto add = [&](int caption, bool TrpCrossView::*option) {
    TrpContextMenuItem item;
    item.Caption = rpLoadStr(caption);
    item.Checkable = true;
    item.Checked = this->*option;
    item.OnClick = [this, option] {
      TrpReportDesigner* designer = rpCurrentDesigner();
      if (designer) designer->BeforeChange();
      if (!(Restrictions & rrModify)) this->*option = !(this->*option);
      if (designer) designer->AfterChange();
    };
    items.append(item);
  };
  add(55605, &TrpCrossView::RepeatCaptions);
  add(55606, &TrpCrossView::InternalFrame);
  add(55607, &TrpCrossView::ShowHeader);
}

void TrpCrossView::OpenEditor() { rpCrossForm().ShowEditor(this); }

QString TrpCrossView::FieldCaption(const QString& name) const {
  for (const QString& line : Dictionary) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals >= 0 && line.left(equals) == name) {
      const QString caption = line.mid(equals + 1);
      return caption.isEmpty() ? name : caption;
    }
  }
  return name;
}

QStringList TrpCrossView::DictionaryTemplate() const {
  QStringList lines;
  for (int line = 1; line <= 3; ++line)
    for (const QString& field : rpCrossFieldEntries(Memo.value(line)))
      lines.append((line == 3 ? field : rpCrossFieldName(field)) + QLatin1Char('='));
  return lines;
}

void TrpCrossView::EditDictionary() {
  if (Dictionary.isEmpty()) Dictionary = DictionaryTemplate();
  TDictionaryForm form;
  if (form.Edit(Dictionary)) Dictionary = form.Lines();
}
