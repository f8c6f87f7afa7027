#pragma once
#include "reports/engine/rpView.h"

// A figure inside the object's rectangle: the frame settings are its pen, the
// fill colour its brush (none: unfilled). Its record adds one byte, the figure.
class TrpShapeView : public TrpView {
public:
  enum TShapeKind : quint8 { skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiagonal1, skDiagonal2 };

  TrpShapeView();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  void Draw(TrpRunContext& run, QPainter* canvas) override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  // A shape offers no "stretched" entry.
  void AddContextMenuItems(QList<TrpContextMenuItem>& items) override {}

  quint8 Shape = skRectangle;
};
