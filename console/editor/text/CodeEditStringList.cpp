#include "console/editor/text/CodeEditStringList.h"
#include "console/editor/text/CodeEditErrors.h"
#include "console/editor/text/CodeEditFileWriter.h"
#include "core/CodePage1250.h"
#include <QtCore/QFile>

namespace {

// Runs `body` inside an update bracket that closes also when it throws.
template <typename Body> void InUpdate(TCodeEditStringList& list, Body&& body) {
  list.BeginUpdate();
  try {
    body();
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}

} // namespace

TCodeEditStringList::TCodeEditStringList() { expander_ = ChooseTabExpander(tabWidth_); }

TCodeEditStringList::~TCodeEditStringList() {
  // Tearing down sends no update notification.
  OnChanged = nullptr;
  OnChanging = nullptr;
}

void TCodeEditStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit) throw ECodeEditStringList(QStringLiteral("Invalid stringlist index %1").arg(index));
}

void TCodeEditStringList::Fire(const TLinesChangeEvent& event, int index, int count) {
  if (event) event(this, index, count);
}

void TCodeEditStringList::ReserveExactly(int capacity) {
  if (capacity < int(lines_.capacity())) {
    std::vector<TCodeEditStringRec> smaller;
    smaller.reserve(capacity);
    std::move(lines_.begin(), lines_.end(), std::back_inserter(smaller));
    lines_.swap(smaller);
  } else {
    lines_.reserve(capacity);
  }
  capacity_ = capacity;
}

void TCodeEditStringList::SetCapacity(int capacity) {
  if (capacity < Count()) throw EListError(QStringLiteral("Stringlist capacity cannot be smaller than count"));
  ReserveExactly(capacity);
}

int TCodeEditStringList::GrownCapacity(int capacity) { return capacity + (capacity > 64 ? capacity / 4 : 16); }

void TCodeEditStringList::GrowForOneMore() {
  if (Count() < capacity_) return;
  ReserveExactly(GrownCapacity(capacity_));
}

void TCodeEditStringList::ReserveForAdding(int count) {
  int capacity = capacity_;
  while (capacity < Count() + count)
    capacity = GrownCapacity(capacity);
  if (capacity != capacity_) ReserveExactly(capacity);
}

void TCodeEditStringList::InsertRecord(int index, const QString& text) {
  GrowForOneMore();
  TCodeEditStringRec rec;
  rec.Text = text;
  lines_.insert(lines_.begin() + index, std::move(rec));
  longestLine_ = -1;
}

QString TCodeEditStringList::Get(int index) const {
  return index >= 0 && index < Count() ? lines_[index].Text : QString();
}

void* TCodeEditStringList::Objects(int index) const {
  return index >= 0 && index < Count() ? lines_[index].Object : nullptr;
}

qintptr TCodeEditStringList::GetLineRange(int index) const {
  return index >= 0 && index < Count() ? lines_[index].Range : 0;
}

void TCodeEditStringList::ExpandLine(TCodeEditStringRec& rec, QString& expanded) {
  bool hasTabs = false;
  expanded = expander_(rec.Text, tabWidth_, hasTabs);
  rec.ExpandedLength = int(expanded.size());
  rec.Flags = hasTabs ? TCodeEditStringRec::HasTabs : TCodeEditStringRec::HasNoTabs;
}

QString TCodeEditStringList::GetExpandedLine(int index) {
  if (index < 0 || index >= Count()) return QString();
  TCodeEditStringRec& rec = lines_[index];
  if (rec.Flags & TCodeEditStringRec::HasNoTabs) return rec.Text;
  QString expanded;
  ExpandLine(rec, expanded);
  return expanded;
}

int TCodeEditStringList::GetExpandedLineLength(int index) {
  if (index < 0 || index >= Count()) return 0;
  if (lines_[index].Flags & TCodeEditStringRec::ExpandedLengthStale) return int(GetExpandedLine(index).size());
  return lines_[index].ExpandedLength;
}

int TCodeEditStringList::GetLongestLineLength() {
  if (longestLine_ < 0) {
    int best = 0;
    for (int i = 0; i < Count(); ++i) {
      const int length = GetExpandedLineLength(i);
      if (length > best) {
        best = length;
        longestLine_ = i;
      }
    }
  }
  return longestLine_ >= 0 ? lines_[longestLine_].ExpandedLength : 0;
}

QString TCodeEditStringList::Text() const {
  QString text;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) text += QStringLiteral("\r\n");
    text += lines_[i].Text;
  }
  return text;
}

int TCodeEditStringList::Add(const QString& text) {
  const int index = Count();
  InUpdate(*this, [&] {
    InsertRecord(index, text);
    Fire(OnLinesInserted, index, 1);
  });
  return index;
}

void TCodeEditStringList::Insert(int index, const QString& text) {
  CheckIndex(index, Count());
  InUpdate(*this, [&] {
    InsertRecord(index, text);
    Fire(OnLinesInserted, index, 1);
  });
}

void TCodeEditStringList::Put(int index, const QString& text) {
  if (index == Count()) {
    Add(text);
    return;
  }
  CheckIndex(index, Count() - 1);
  InUpdate(*this, [&] {
    TCodeEditStringRec& rec = lines_[index];
    rec.Text = text;
    rec.Flags = TCodeEditStringRec::ExpandedLengthStale;
    rec.ExpandedLength = -1;
    longestLine_ = -1;
    Fire(OnLinesReplaced, index, 1);
  });
}

void TCodeEditStringList::SetObject(int index, void* object) {
  CheckIndex(index, Count() - 1);
  InUpdate(*this, [&] { lines_[index].Object = object; });
}

void TCodeEditStringList::SetLineRange(int index, qintptr range) {
  CheckIndex(index, Count() - 1);
  InUpdate(*this, [&] { lines_[index].Range = range; });
}

void TCodeEditStringList::Delete(int index) {
  CheckIndex(index, Count() - 1);
  InUpdate(*this, [&] {
    lines_.erase(lines_.begin() + index);
    longestLine_ = -1;
    Fire(OnLinesDeleted, index, 1);
  });
}

void TCodeEditStringList::DeleteLineRange(int index, int count) {
  if (count <= 0) return;
  CheckIndex(index, Count());
  const int removed = qMin(count, Count() - index);
  if (removed <= 0) return;
  InUpdate(*this, [&] {
    lines_.erase(lines_.begin() + index, lines_.begin() + index + removed);
    longestLine_ = -1;
    Fire(OnLinesDeleted, index, removed);
  });
}

void TCodeEditStringList::InsertBlankLines(int index, int count) {
  CheckIndex(index, Count());
  if (count < 1) return;
  InUpdate(*this, [&] {
    ReserveExactly(Count() + count);
    lines_.insert(lines_.begin() + index, count, TCodeEditStringRec());
    longestLine_ = -1;
    Fire(OnLinesInserted, index, count);
  });
}

void TCodeEditStringList::Exchange(int index1, int index2) {
  CheckIndex(index1, Count() - 1);
  CheckIndex(index2, Count() - 1);
  InUpdate(*this, [&] {
    std::swap(lines_[index1], lines_[index2]);
    if (longestLine_ == index1)
      longestLine_ = index2;
    else if (longestLine_ == index2)
      longestLine_ = index1;
  });
}

void TCodeEditStringList::AddStrings(const QStringList& lines) {
  if (lines.isEmpty()) return;
  InUpdate(*this, [&] {
    longestLine_ = -1;
    const int first = Count();
    const int needed = first + int(lines.size());
    if (capacity_ < needed) ReserveExactly((needed + 15) / 16 * 16);
    for (const QString& text : lines) {
      TCodeEditStringRec rec;
      rec.Text = text;
      lines_.push_back(std::move(rec));
    }
    Fire(OnLinesInserted, first, int(lines.size()));
  });
}

void TCodeEditStringList::Clear() {
  longestLine_ = -1;
  if (lines_.empty()) return;
  InUpdate(*this, [&] {
    std::vector<TCodeEditStringRec>().swap(lines_);
    capacity_ = 0;
    if (OnLinesCleared) OnLinesCleared(this);
  });
}

void TCodeEditStringList::SetText(const QString& text) {
  InUpdate(*this, [&] {
    Clear();
    const qsizetype end = text.indexOf(QChar(u'\0'));
    const QStringView rest = QStringView(text).left(end < 0 ? text.size() : end);
    qsizetype start = 0;
    while (start < rest.size()) {
      const qsizetype stop = FindLineEnd(rest.mid(start)) + start;
      Add(rest.mid(start, stop - start).toString());
      start = stop;
      if (start < rest.size() && rest[start] == u'\r') ++start;
      if (start < rest.size() && rest[start] == u'\n') ++start;
    }
  });
}

void TCodeEditStringList::SetTabWidth(int width) {
  if (width == tabWidth_) return;
  tabWidth_ = width;
  expander_ = ChooseTabExpander(width);
  longestLine_ = -1;
  for (TCodeEditStringRec& rec : lines_) {
    rec.ExpandedLength = -1;
    rec.Flags = (rec.Flags & ~TCodeEditStringRec::HasNoTabs) | TCodeEditStringRec::ExpandedLengthStale;
  }
}

void TCodeEditStringList::BeginUpdate() {
  if (updateCount_++ == 0 && OnChanging) OnChanging(this);
}

void TCodeEditStringList::EndUpdate() {
  if (--updateCount_ == 0 && OnChanged) OnChanged(this);
}

void TCodeEditStringList::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EStreamError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
  LoadFromStream(file);
}

int TCodeEditStringList::LoadedLineCount(QStringView text) const {
  qsizetype count = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    if (text[i] == u'\r' || text[i] == u'\n') ++count;
  }
  const bool endsWithBreak = !text.isEmpty() && (text.back() == u'\r' || text.back() == u'\n');
  if (!text.isEmpty() && !endsWithBreak) ++count;
  if (endsWithBreak && !trailingLineBreak_) ++count;
  return int(count);
}

void TCodeEditStringList::LoadFromStream(QIODevice& stream) {
  if (!stream.isSequential()) stream.seek(0);
  const QString text = Cp1250::Decode(stream.readAll());
  bool sawCr = false, sawLf = false;
  InUpdate(*this, [&] {
    Clear();
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    // The array ends as large as adding the lines one by one makes it, but is
    // moved only once.
    ReserveForAdding(LoadedLineCount(text));
    qsizetype start = 0;
    while (start < size) {
      qsizetype stop = start;
      while (stop < size && data[stop] != u'\r' && data[stop] != u'\n')
        ++stop;
      Add(QString(data + start, stop - start));
      start = stop;
      if (start < size && data[start] == u'\r') {
        sawCr = true;
        ++start;
      }
      if (start < size && data[start] == u'\n') {
        sawLf = true;
        ++start;
      }
    }
    if (!trailingLineBreak_ && size > 0 && (text.back() == u'\r' || text.back() == u'\n')) Add(QString());
  });
  lineBreakStyle_ = sawCr && !sawLf ? lbsCr : (sawLf && !sawCr ? lbsLf : lbsCrLf);
}

QString TCodeEditStringList::BreakText() const {
  switch (lineBreakStyle_) {
  case lbsLf:
    return QStringLiteral("\n");
  case lbsCr:
    return QStringLiteral("\r");
  default:
    return QStringLiteral("\r\n");
  }
}

void TCodeEditStringList::SaveToStream(QIODevice& stream) const {
  if (lines_.empty()) return;
  const QString lineBreak = BreakText();
  QString text;
  qsizetype size = 0;
  for (const TCodeEditStringRec& rec : lines_)
    size += rec.Text.size() + lineBreak.size();
  text.reserve(size);
  for (int i = 0; i < Count(); ++i) {
    text += lines_[i].Text;
    if (i < Count() - 1 || trailingLineBreak_) text += lineBreak;
  }
  const QByteArray bytes = Cp1250::Encode(text);
  if (stream.write(bytes) != bytes.size()) throw EStreamError(QStringLiteral("Stream write error"));
}

void TCodeEditStringList::SaveToFile(const QString& fileName) const {
  // A text that cannot be stored is refused before the file is truncated.
  for (const TCodeEditStringRec& rec : lines_)
    Cp1250::Encode(rec.Text);
  TCodeEditFileWriter writer(fileName, lineBreakStyle_);
  for (int i = 0; i < Count(); ++i) {
    if (i < Count() - 1 || trailingLineBreak_)
      writer.WriteLine(lines_[i].Text);
    else
      writer.Write(lines_[i].Text);
  }
  writer.Close();
}
