#pragma once
#include "core/DataSet.h"
#include <QtCore/QObject>
#include <functional>

class QIODevice;
class QImage;

// The record walker a band drives: Init, First, then while not Eof print and
// Next, at the end Exit. It counts records and applies the template's range;
// the real record source is moved through the events. A walk with reLast and
// no OnCheckEOF never ends by itself: user data sets set OnCheckEOF or use
// reCount.
class TrpDataset : public QObject {
  Q_OBJECT
public:
  // Where the walk starts: the first record, or the one current when it begins.
  enum class TRangeBegin { rbFirst, rbCurrent };
  Q_ENUM(TRangeBegin)
  // Where it ends: after the last record, at the one current when it began,
  // or after RangeEndCount records.
  enum class TRangeEnd { reLast, reCurrent, reCount };
  Q_ENUM(TRangeEnd)
  using TNotifyEvent = std::function<void(TrpDataset* sender)>;
  using TCheckEOFEvent = std::function<void(TrpDataset* sender, bool& eof)>;

  explicit TrpDataset(QObject* owner = nullptr);

  TRangeBegin RangeBegin = TRangeBegin::rbFirst;
  TRangeEnd RangeEnd = TRangeEnd::reLast;
  int RangeEndCount = 0;
  TNotifyEvent OnFirst, OnNext, OnPrior;
  TCheckEOFEvent OnCheckEOF;

  int RecNo() const { return recNo_; }

  virtual void Init() {}
  virtual void Exit() {}
  virtual void First();
  // Moves on; with reCount the owner is not asked to move past the last record.
  virtual void Next();
  virtual void Prior();
  virtual bool Eof();

  // The program data set a database walker wraps; none here.
  virtual TDataSet* WrappedDataSet() const { return nullptr; }

protected:
  int recNo_ = 0;
};

using TRangeBegin = TrpDataset::TRangeBegin;
using TRangeEnd = TrpDataset::TRangeEnd;

// The walker with every setting open to templates and forms (published as
// properties; the events are set in code); the program moves its records
// itself through the events.
class TrpUserDataset : public TrpDataset {
  Q_OBJECT
  Q_PROPERTY(TRangeBegin RangeBegin MEMBER RangeBegin)
  Q_PROPERTY(TRangeEnd RangeEnd MEMBER RangeEnd)
  Q_PROPERTY(int RangeEndCount MEMBER RangeEndCount)
public:
  using TrpDataset::TrpDataset;
};

// Blob, memo and other binary fields.
bool rpIsBlob(const TField* field);
// A string list takes the field's text line by line; a picture its image; a
// stream receives its bytes at its position and is set back to position 0.
void rpAssignBlobTo(const TField* field, QStringList& target);
void rpAssignBlobTo(const TField* field, QImage& target);
void rpAssignBlobTo(const TField* field, QIODevice& target);
// Replaces the list by the data set's field names; an error of the data set leaves what was listed.
void rpGetFieldNames(const TDataSet* dataSet, QStringList& list);
TBookmark rpGetBookmark(const TDataSet* dataSet);
void rpGotoBookmark(TDataSet* dataSet, TBookmark bookmark);
// Bookmarks of the core data set hold no resources.
inline void rpFreeBookmark(TDataSet*, TBookmark) {}
bool rpBookmarksEqual(const TDataSet* dataSet, TBookmark first, TBookmark second);
