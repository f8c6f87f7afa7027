#pragma once
#include "reports/engine/rpView.h"
#include "reports/objects/rpRichText.h"

// Formatted text (RTF) whose [expressions] are filled in while the report is
// prepared, keeping the formatting around them; it grows with its band and
// is split across pages, each part holding only the characters not printed
// before. The expanded text is prepared in one work area shared by every
// rich-text object (rpRichWorkArea), one object at a time.
class TrpRichView : public TrpStretcheable {
public:
  TrpRichView();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  // The field's bytes are the object's RTF.
  void LoadFromBlobField(TField* field) override;
  void Draw(TrpRunContext& run, QPainter* canvas) override;
  void WritePrepared(TrpRunContext& run, TBinaryWriter& stream) override;
  // The record: a byte (1 when there is text), the stream position after the
  // record, the RTF. Reading always goes on at that position.
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  // "Propdata" (the RTF as streamed component data), the stretch mode, whether
  // expressions are allowed, and the data set and field of the memo line.
  void WriteXmlElement(QString& element) override;
  void AddContextMenuItems(QList<TrpContextMenuItem>& items) override;
  void OpenEditor() override;
  int CalcHeight(TrpRunContext& run) override;
  int MinimumHeight() override { return 8; }
  int RemainingHeight() override;

  TrpRichText& Text() { return text_; }
  const TrpRichText& Text() const { return text_; }
  // Fills in every [expression] of the text with its formatted value; a
  // value's own brackets are not expanded again.
  void ExpandExpressions(TrpRichText& text);
  // The height the work area's text from Start needs at the current width.
  int Measure();

  qint32 Printed = 0; // characters printed by the parts written so far
  qint32 End = 0;     // the first character the last formatting pass did not place
  qint32 Start = 0;   // where the next formatting pass begins

private:
  // Copies the text into the work area and expands it unless TextOnly.
  void PrepareWorkArea();
  // The size the text is laid out in: the current width and height less the gaps.
  QSize TextArea() const { return QSize(Width - 2 * GapX, Height - 2 * GapY); }

  TrpRichText text_;
  bool savingPrepared_ = false;
};

// The area in which rich text is expanded and measured while a report is
// prepared; it lives until the program ends.
TrpRichText& rpRichWorkArea();
