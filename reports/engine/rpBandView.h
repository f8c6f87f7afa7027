#pragma once
#include "reports/engine/rpView.h"

class TrpBand;

// The band object the designer places on a page: its band type (kept in the
// low byte of FrameTyp), layout flags, columns and links. Its data source or
// group condition lives in DisplayFormatText.
class TrpBandView : public TrpView {
public:
  TrpBandView();

  // While a page builds, scripts also reach the run-time band: its position
  // and size, visibility, data source ("DataSource" drops the band's data set
  // and takes the one named), group condition, split permission and child band.
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  // "NEXT", "PRIOR", "FIRST" move the run-time band's data set.
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  // Bands write an element of their own per kind; cross bands none.
  void WriteXmlElement(QString& element) override;

  // In the designer: the band across the page (a cross band down it) on the
  // band background, its columns and its name, on a tab outside the band
  // while the designer shows band titles.
  void Draw(TrpRunContext& run, QPainter* canvas) override;
  // With band titles the tab belongs to the region.
  QRect ObjectRegion(bool extended) const override;
  // The width of the name in Arial 8 plus 8, at least 100.
  int LabelWidth() const;

  int GetBandType() const { return FrameTyp & 0xFF; }
  void SetBandType(int type) { FrameTyp = quint16((FrameTyp & 0xFF00) | (type & 0xFF)); }
  // Types 18 to 20: vertical strips across the page's height.
  bool IsCrossBand() const { return GetBandType() >= 18 && GetBandType() <= 20; }

  QString ChildBand;
  QString Master;
  qint32 Columns = 1;
  qint32 ColumnWidth = 200;
  qint32 ColumnGap = 20;
  qint32 NewColumnAfter = 1;
  TrpBand* RunBand = nullptr; // the run-time band while its page builds

private:
  void WriteRunBand(const QString& name, const QVariant& value);
};

// Flags bits of band objects.
enum : quint16 {
  bfStretched = 1,
  bfFormNewPage = 2,
  bfPrintIfSubsetEmpty = 4,
  bfBreaked = 8,
  bfOnFirstPage = 16,
  bfOnLastPage = 32,
  bfRepeatHeader = 64,
  bfPrintChildIfInvisible = 128
};
