#include "reports/objects/rpRichView.h"
#include "core/DataSet.h"
#include "core/Exception.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/rpObjectUtils.h"
#include "reports/objects/rpRichForm.h"
#include <QtCore/QBuffer>
#include <QtGui/QPainter>

TrpRichText& rpRichWorkArea() {
  // Shared by every object and needed until the last report is freed.
  static TrpRichText* area = new TrpRichText;
  return *area;
}

TrpRichView::TrpRichView() { SetKind(10, QStringLiteral("Rich"), QStringLiteral("TrpRichView")); }

void TrpRichView::WriteProperty(const QString& name, const QVariant& value) {
  TrpStretcheable::WriteProperty(name, value);
  if (name.toUpper() == QLatin1String("TEXTONLY"))
    Flags = rpValueToInteger(value) != 0 ? Flags | mfTextOnly : Flags & ~mfTextOnly;
}

QVariant TrpRichView::ReadProperty(const QString& name) {
  const QVariant result = TrpStretcheable::ReadProperty(name);
  if (!rpIsNull(result) || name.toUpper() != QLatin1String("TEXTONLY")) return result;
  return (Flags & mfTextOnly) != 0;
}

void TrpRichView::ListProperties() {
  TrpStretcheable::ListProperties();
  AddPropertyRec(QStringLiteral("GapX"), ptInteger);
  AddPropertyRec(QStringLiteral("GapY"), ptInteger);
  AddPropertyRec(QStringLiteral("Lines"), ptEditor | ptSingleOnly, [this] { OpenEditor(); });
  AddPropertyRec(QStringLiteral("Stretched"), ptBoolean);
  AddPropertyRec(QStringLiteral("TextOnly"), ptBoolean);
  AddPropertyRec(QStringLiteral("DataField"), ptEditor | ptSingleOnly | ptText);
}

void TrpRichView::LoadFromBlobField(TField* field) {
  QBuffer bytes;
  bytes.open(QIODevice::ReadWrite);
  rpAssignBlobTo(field, bytes);
  text_.LoadRtf(bytes.data());
}

void TrpRichView::ExpandExpressions(TrpRichText& text) {
  TrpRunContext& g = rpRun();
  g.CurrentObject = this;
  auto* report = dynamic_cast<TrpReport*>(g.CurrentReport);
  int pos = text.Find(QStringLiteral("["), 0) + 1; // 1-based; 0: none
  while (pos > 0) {
    qsizetype finish = 0;
    const QString expression = rpGetBracketedText(text.Text(), pos - 1, finish);
    if (finish >= text.Length()) return; // an unclosed bracket stays as it is
    QString value;
    if (report) report->GetFormattedValue(rpRun(), expression, value);
    text.ReplaceRange(pos - 1, int(finish), value);
    // The search goes on after the value, so its own brackets stay as they are.
    pos += int(value.size()) - 1;
    const int next = text.Find(QStringLiteral("["), pos);
    pos = next >= 0 ? next + 1 : 0;
  }
}

void TrpRichView::PrepareWorkArea() {
  TrpRichText& work = rpRichWorkArea();
  work.CopyFrom(text_);
  if (!(Flags & mfTextOnly)) ExpandExpressions(work);
}

int TrpRichView::Measure() {
  const TrpRichText& work = rpRichWorkArea();
  const int width = Width - 2 * GapX;
  int lo = 0, hi = 1000000;
  while (hi - lo >= 2) {
    const int mid = lo + (hi - lo) / 2;
    // Text is left over also when not even the first line fits.
    if (work.FitRange(Start, QSize(width, mid)) < work.Length())
      lo = mid;
    else
      hi = mid;
  }
  if (hi < 2) hi = 8;
  return hi + 2 * GapY;
}

void TrpRichView::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  const QSize area(Width - 2 * GapX, Height - 2 * GapY); // design units
  ToDeviceCoords(!run.EngineMode);
  PaintBackground(run);
  DrawRect.adjust(GapX, GapY, -GapX, -GapY);
  Start = 0;
  if (canvas && !run.SuppressDrawing && Width > 0 && Height > 0 && area.width() > 0 && area.height() > 0) {
    // The text is laid out in design units and scaled into the drawing rectangle.
    canvas->save();
    canvas->setClipRect(DrawRect, Qt::IntersectClip);
    canvas->translate(DrawRect.topLeft());
    canvas->scale(double(DrawRect.width()) / area.width(), double(DrawRect.height()) / area.height());
    End = text_.Paint(*canvas, Start, area);
    canvas->restore();
  }
  PaintFrame(run);
  RestoreDesignCoords();
}

int TrpRichView::CalcHeight(TrpRunContext& run) {
  End = 0;
  Printed = 0;
  RunScript(run);
  if (!Visible) return 0;
  WorkLines = Memo;
  if (auto* report = dynamic_cast<TrpReport*>(run.CurrentReport)) report->FireBeforePrint(WorkLines, this);
  PrepareWorkArea();
  Start = 0;
  return Measure();
}

int TrpRichView::RemainingHeight() {
  PrepareWorkArea();
  const qint32 keptEnd = End, keptPrinted = Printed;
  TrpRichText& work = rpRichWorkArea();
  Start = 0;
  work.Remove(0, End);
  End = work.FitRange(Start, TextArea());
  work.Remove(End, work.Length());
  // The room the placed lines leave unused at the cut is added, so the lines
  // after the cut still fit into the parts that follow.
  const int used = Measure();
  End = keptEnd;
  Printed = keptPrinted;
  return std::max(0, Height - used) + 2 * GapY + rpRoundEven(2.0 * FrameWidth);
}

void TrpRichView::WritePrepared(TrpRunContext& run, TBinaryWriter& stream) {
  QString keptTag;
  if (!BeginPreparedWrite(run, keptTag)) return;
  PrepareWorkArea();
  if (SplitMode == 2) {
    // This part holds what fits after the characters printed before.
    TrpRichText& work = rpRichWorkArea();
    Start = End;
    End = work.FitRange(Start, TextArea());
    work.Remove(End, work.Length());
    work.Remove(0, Printed);
    Printed = End;
  }
  savingPrepared_ = true;
  try {
    WriteTypedRecord(stream);
  } catch (...) {
    savingPrepared_ = false;
    Tag = keptTag;
    throw;
  }
  savingPrepared_ = false;
  Tag = keptTag;
}

void TrpRichView::SaveToStream(TBinaryWriter& stream) {
  TrpStretcheable::SaveToStream(stream);
  const TrpRichText& source = savingPrepared_ ? rpRichWorkArea() : text_;
  const bool hasText = !source.IsEmpty();
  rpWriteByte(stream, hasText ? 1 : 0);
  const qsizetype endField = stream.Size();
  rpWriteInteger(stream, 0);
  if (hasText) stream.WriteBytes(source.SaveRtf());
  stream.PatchUInt32(endField, quint32(stream.Size()));
}

void TrpRichView::LoadFromStream(TBinaryReader& stream) {
  TrpStretcheable::LoadFromStream(stream);
  const quint8 hasText = rpReadByte(stream);
  const qsizetype end = quint32(rpReadInteger(stream));
  if (end < stream.Position() || end > stream.Size())
    throw EStreamError(QStringLiteral("Koniec textu objektu %1 leží mimo súboru.").arg(Name));
  if (hasText == 1)
    text_.LoadRtf(stream.ReadBytes(end - stream.Position()));
  else
    text_.Clear();
  stream.Seek(end);
}

void TrpRichView::WriteXmlElement(QString& element) {
  TrpStretcheable::WriteXmlElement(element);
  const QByteArray rtf = text_.SaveRtf();
  TBinaryWriter data;
  data.WriteByte(8);
  data.WriteBytes("RichEdit");
  data.WriteByte(10); // binary data
  data.WriteUInt32(quint32(rtf.size()));
  data.WriteBytes(rtf);
  rpXmlAttribute(element, QStringLiteral("Propdata"), QString::fromLatin1(data.Data().toHex().toUpper()));
  if (Flags & mfStretched) rpXmlAttribute(element, QStringLiteral("StretchMode"), QStringLiteral("smMaxHeight"));
  if (Flags & mfTextOnly) rpXmlAttribute(element, QStringLiteral("AllowExpressions"), QStringLiteral("False"));
  if (!Memo.isEmpty()) rpXmlDataFieldAttributes(element, Memo.first());
}

void TrpRichView::AddContextMenuItems(QList<TrpContextMenuItem>& items) {
  TrpStretcheable::AddContextMenuItems(items);
  const bool textOnly = (Flags & mfTextOnly) != 0;
  items.append({rpLoadStr(55433), true, textOnly, true, [textOnly] { rpSetFlagOfSelection(mfTextOnly, !textOnly); }});
}

void TrpRichView::OpenEditor() {
  TrpRichForm& form = rpRichForm();
  form.SetText(text_);
  if (form.ShowModal() == mrOk && !(Restrictions & rrModify)) {
    if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->BeforeChange();
    form.GetText(text_);
    if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->AfterChange();
  }
  form.ClearText();
}
