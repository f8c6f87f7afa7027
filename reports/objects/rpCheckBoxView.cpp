#include "reports/objects/rpCheckBoxView.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpSymbolFont.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/rpObjectUtils.h"
#include <QtGui/QPainter>
#include <cmath>

TrpCheckBoxView::TrpCheckBoxView() {
  SetKind(10, QStringLiteral("Check"), QStringLiteral("TrpCheckBoxView"));
  FrameTyp = 15;
  FrameWidth = 2;
  rpSetScriptConstant("csCross", csCross);
  rpSetScriptConstant("csCheck", csCheck);
}

void TrpCheckBoxView::WriteProperty(const QString& name, const QVariant& value) {
  TrpView::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (n == QLatin1String("CHECKSTYLE"))
    CheckStyle = quint8(rpValueToInteger(value));
  else if (n == QLatin1String("CHECKCOLOR"))
    CheckColor = TColor(rpValueToInteger(value));
}

QVariant TrpCheckBoxView::ReadProperty(const QString& name) {
  const QVariant result = TrpView::ReadProperty(name);
  if (!rpIsNull(result)) return result;
  const QString n = name.toUpper();
  if (n == QLatin1String("CHECKSTYLE")) return rpIntegerValue(CheckStyle);
  if (n == QLatin1String("CHECKCOLOR")) return rpIntegerValue(CheckColor);
  return result;
}

void TrpCheckBoxView::ListProperties() {
  TrpView::ListProperties();
  AddEnumPropertyRec(QStringLiteral("CheckStyle"), QStringLiteral("csCross;csCheck"), QVariantList{0, 1});
  AddPropertyRec(QStringLiteral("CheckColor"), ptColor);
  AddPropertyRec(QStringLiteral("DataField"), ptEditor | ptSingleOnly | ptText);
}

bool TrpCheckBoxView::IsChecked(const QStringList& lines) {
  return !lines.isEmpty() && !lines.first().isEmpty() && !lines.first().startsWith(QLatin1Char('0'));
}

void TrpCheckBoxView::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  WorkLines = Memo;
  ToDeviceCoords(!run.EngineMode);
  PaintBackground(run);
  // While designing every box shows its mark.
  const bool checked = !run.EngineMode || IsChecked(WorkLines);
  if (checked && canvas && !run.SuppressDrawing && DrawRect.height() > 0) {
    const qreal height = DrawRect.height(), width = rpSymbolWidth(height);
    const QRectF cell(DrawRect.left() + int(DrawRect.width() - width) / 2, DrawRect.top(), width, height);
    canvas->save();
    canvas->setClipRect(DrawRect);
    canvas->setRenderHint(QPainter::Antialiasing);
    canvas->fillPath(rpSymbolPath(CheckStyle == csCross ? kSymbolCross : kSymbolCheck, cell), rpPaintColor(CheckColor));
    canvas->restore();
  }
  PaintFrame(run);
  RestoreDesignCoords();
}

void TrpCheckBoxView::WritePrepared(TrpRunContext& run, TBinaryWriter& stream) {
  QString keptTag;
  if (!BeginPreparedWrite(run, keptTag)) return;
  if (!WorkLines.isEmpty()) {
    const double value = rpValueToFloat(run.Parser->Calc(WorkLines.first()));
    WorkLines[0] = QString::number(qint64(std::trunc(value)));
  }
  WriteTypedRecord(stream);
  Tag = keptTag;
}

void TrpCheckBoxView::SendToExport(TrpRunContext& run) {
  TrpView::SendToExport(run);
  if (run.ExportText) run.ExportText(DrawRect, Left, Top, IsChecked(Memo) ? QStringLiteral("X") : QString(), 0, this);
}

void TrpCheckBoxView::WriteXmlElement(QString& element) {
  TrpView::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("CheckStyle"), CheckStyle);
  rpXmlAttribute(element, QStringLiteral("CheckColor"), CheckColor);
  if (Memo.isEmpty()) return;
  rpXmlDataFieldAttributes(element, Memo.first());
  rpXmlAttribute(element, QStringLiteral("Text"), Memo.first());
}

void TrpCheckBoxView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  if (rpRun().StreamVersion <= 23) return; // older records have neither field
  CheckStyle = rpReadByte(stream);
  CheckColor = rpReadInteger(stream);
}

void TrpCheckBoxView::SaveToStream(TBinaryWriter& stream) {
  TrpView::SaveToStream(stream);
  rpWriteByte(stream, CheckStyle);
  rpWriteInteger(stream, CheckColor);
}
