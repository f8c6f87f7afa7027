#pragma once
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpStream.h"
#include <QtCore/QStringList>
#include <gtest/gtest.h>

// A running engine with the program's report objects registered, its error
// box recorded, and text measured at 10 pixels a character.
class ObjectsFixture : public ::testing::Test {
protected:
  ObjectsFixture();
  ~ObjectsFixture() override;

  QStringList messages; // "caption: text"
};

// The common view record of a template, field by field as templates store it.
struct TViewRecord {
  QString Name;
  qint32 Left = 10, Top = 20, Width = 100, Height = 40;
  quint16 Flags = 0, FrameTyp = 0;
  qint32 FrameWidthCode = 1; // whole widths up to 10 as they are
  qint32 FrameColor = 0;
  quint16 FrameStyle = 0;
  qint32 FillColor = 0x1FFFFFFF;
  qint32 DisplayFormatCode = 0;
  QString DisplayFormatText;
  QStringList Memo, Script;
  bool Visible = true;
  quint16 Restrictions = 0;
  QString Tag;
  qint32 GapX = 2, GapY = 1;
  quint8 BandAlign = 0;
};

// Writers of template records written from their byte layouts.
void WriteViewRecord(TBinaryWriter& stream, const TViewRecord& view, int version = 25);
// The text object's part: font "Arial" 10 black, alignment 0, no highlight, spacing 2 and 0.
void WriteMemoRecord(TBinaryWriter& stream);

struct TObjectRecord {
  QString ClassName;
  QByteArray Record; // the class's record, starting with the common view record
  // Where the record holds the file position of its own end (-1: nowhere).
  qsizetype EndPositionAt = -1;
};
// Gives the report a clock that stands still, so saved files compare byte by byte.
void StopClock(TrpReport& report);

// A template (version 25, or 23 without end offsets) of one A4 page holding the objects.
QByteArray TemplateWith(const QList<TObjectRecord>& objects, int version = 25);
