#pragma once
#include "reports/engine/rpView.h"

// A box that prints a cross or a check mark when the value of the expression
// in its first memo line, computed while the report is prepared, is not
// zero. In a prepared page the first line holds that value as a whole number.
class TrpCheckBoxView : public TrpView {
public:
  enum TCheckStyle : quint8 { csCross, csCheck };

  TrpCheckBoxView();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  void Draw(TrpRunContext& run, QPainter* canvas) override;
  // The first memo line's value, truncated toward zero, replaces the line.
  void WritePrepared(TrpRunContext& run, TBinaryWriter& stream) override;
  // The object callback, then the text "X" when checked (else empty).
  void SendToExport(TrpRunContext& run) override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  // Style and colour; with a memo line also its data set and field (when it
  // names one) and the line itself.
  void WriteXmlElement(QString& element) override;
  void AddContextMenuItems(QList<TrpContextMenuItem>& items) override {}

  // A prepared value shows the mark when it is not empty and does not begin with "0".
  static bool IsChecked(const QStringList& lines);

  quint8 CheckStyle = csCross;
  TColor CheckColor = clBlack;
};
