#pragma once
#include "console/editor/text/CodeEditSupport.h"
#include <QtCore/QStringList>
#include <functional>
#include <vector>

class QIODevice;

// How the lines of a saved text end.
enum TLineBreakStyle : quint8 { lbsCrLf = 0, lbsLf = 1, lbsCr = 2 };

// One line of the buffer: its text, an attached object (not owned), the
// highlighter's range state at its end (-1: not yet computed) and the cached
// length after tab expansion.
struct TCodeEditStringRec {
  enum Flag : quint8 { HasTabs = 1, HasNoTabs = 2, ExpandedLengthStale = 4 };
  QString Text;
  void* Object = nullptr;
  qintptr Range = -1;
  int ExpandedLength = -1;
  quint8 Flags = ExpandedLengthStale;
};

// The text of the code editor as a list of lines (0-based indexes). Every line
// carries the highlighter's range state and a cache of its expanded length;
// the longest line is cached by index. Each change runs inside an update
// bracket and reports itself through the line events before the bracket
// closes; the outermost bracket fires OnChanging and OnChanged. Streams are
// read and written in code page 1250.
class TCodeEditStringList {
public:
  using TNotifyEvent = std::function<void(TCodeEditStringList* sender)>;
  using TLinesChangeEvent = std::function<void(TCodeEditStringList* sender, int index, int count)>;

  TCodeEditStringList();
  ~TCodeEditStringList();
  TCodeEditStringList(const TCodeEditStringList&) = delete;
  TCodeEditStringList& operator=(const TCodeEditStringList&) = delete;

  int Count() const { return int(lines_.size()); }
  int Capacity() const { return capacity_; }
  // Raises EListError when below Count.
  void SetCapacity(int capacity);

  // Readers give "", none or 0 outside the lines; they never raise.
  QString Get(int index) const;
  void* Objects(int index) const;
  qintptr GetLineRange(int index) const;
  QString GetExpandedLine(int index);
  int GetExpandedLineLength(int index);
  int GetLongestLineLength();
  // The lines joined with CR LF, without a break after the last.
  QString Text() const;

  // Writers raise ECodeEditStringList for a bad index.
  int Add(const QString& text);
  void Insert(int index, const QString& text);
  // Put(Count, s) appends.
  void Put(int index, const QString& text);
  void SetObject(int index, void* object);
  void SetLineRange(int index, qintptr range);
  void Delete(int index);
  void DeleteLineRange(int index, int count);
  void InsertBlankLines(int index, int count);
  void Exchange(int index1, int index2);
  void AddStrings(const QStringList& lines);
  void Clear();
  // Splits at CR, LF and CR LF (a final break adds no line); a NUL ends the text.
  void SetText(const QString& text);

  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int width);
  TLineBreakStyle LineBreakStyle() const { return lineBreakStyle_; }
  void SetLineBreakStyle(TLineBreakStyle style) { lineBreakStyle_ = style; }
  bool TrailingLineBreak() const { return trailingLineBreak_; }
  void SetTrailingLineBreak(bool value) { trailingLineBreak_ = value; }

  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

  void LoadFromFile(const QString& fileName);
  void LoadFromStream(QIODevice& stream);
  // Raise ECodePageError for text that code page 1250 cannot hold.
  void SaveToStream(QIODevice& stream) const;
  void SaveToFile(const QString& fileName) const;

  TNotifyEvent OnChanged, OnChanging, OnLinesCleared;
  TLinesChangeEvent OnLinesDeleted, OnLinesInserted, OnLinesReplaced;

private:
  class UpdateBracket;
  void CheckIndex(int index, int limit) const;
  void InsertRecord(int index, const QString& text);
  void GrowForOneMore();
  static int GrownCapacity(int capacity);
  // Reserves what adding `count` lines one by one would grow the array to.
  void ReserveForAdding(int count);
  // The number of lines LoadFromStream makes of the text.
  int LoadedLineCount(QStringView text) const;
  void ReserveExactly(int capacity);
  void ExpandLine(TCodeEditStringRec& rec, QString& expanded);
  void Fire(const TLinesChangeEvent& event, int index, int count);
  QString BreakText() const;

  std::vector<TCodeEditStringRec> lines_;
  int capacity_ = 0;
  TLineBreakStyle lineBreakStyle_ = lbsCrLf;
  bool trailingLineBreak_ = false;
  TExpandTabsFunc expander_ = nullptr;
  int longestLine_ = -1;
  int tabWidth_ = 8;
  int updateCount_ = 0;
};
