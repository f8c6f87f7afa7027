#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

class TrpBandView;
class TrpDataDictionary;
class TrpPage;
class TrpReport;

// What the band dialogs offer and store, without their windows: the band
// types a page may take, a data band's source list and the cross data
// band's per-band sources.

constexpr int kBandTypeChoices = 22; // types 0 (report title) to 21 (child)

// True when a subreport object of the report shows the page.
bool rpIsSubreportPage(const TrpReport& report, int pageIndex);
// Per band type 0 to 21, whether a new band of it may go on the page: the
// data, group and child bands always, every other type only while the page
// has none of it; a subreport page never takes the title, summary, page,
// column or group bands.
QList<bool> rpOfferedBandTypes(const TrpPage& page, bool subreportPage);

// A data band's source text that is a record count (a virtual data set): it
// begins with a digit 1 to 9.
bool rpIsRecordCount(const QString& text);

// The list a data band's source is chosen from: "[Žiaden]", "Virtuálny
// Dataset", then the report's data sets by their aliases.
class TrpBandSourceList {
public:
  // The designed report's dictionary; an empty one while no report is designed.
  static const TrpDataDictionary& DesignedDictionary();

  static constexpr int None = 0, Virtual = 1;

  explicit TrpBandSourceList(const TrpDataDictionary& dictionary);
  const QStringList& Entries() const { return entries_; }
  // The position a stored text shows: Virtual for a record count, the data
  // set's entry, else None (also for a data set no longer there).
  int PositionOf(const QString& text) const;
  // The text stored for a position: the record count as typed at Virtual,
  // else the data set behind the entry's alias ("[Žiaden]" at None).
  QString TextAt(int position, const QString& recordCount) const;

private:
  const TrpDataDictionary& dictionary_;
  QStringList entries_;
};

// The bands of the page a cross data band can give a source each: all but
// the title, summary, page, overlay and cross bands, in page order.
QList<TrpBandView*> rpCrossDataBands(const TrpPage& page);

// A cross data band's sources, one per band name: "name=source;" entries,
// the name found without regard to case. A text without any ";" is the
// older single source that every band takes; a band without an entry has "0".
class TrpCrossDataSources {
public:
  TrpCrossDataSources(const QString& text, const QStringList& bandNames);
  int Count() const { return int(names_.size()); }
  const QString& Name(int index) const { return names_.at(index); }
  const QString& Source(int index) const { return sources_.at(index); }
  void SetSource(int index, const QString& source) { sources_[index] = source; }
  // "name=source;" for every band, in band order.
  QString Text() const;

private:
  QStringList names_;
  QStringList sources_;
};
