#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <utility>

// Writes TD32 debug data for tests: modules with code segments, global and
// local procedures, source files with line tables, and the name table.
class TTD32Writer {
public:
  struct TSegment {
    quint32 Offset, Size;
  };
  // One code range of a source file and its lines as (code offset, line).
  struct TLineRange {
    quint32 Start, End;
    QList<std::pair<quint32, quint16>> Lines;
  };

  // The 1-based index of the name, added when new.
  quint32 Name(const QByteArray& name);
  void AddModule(const QByteArray& name, const QList<TSegment>& segments);
  void AddProcedure(bool global, const QByteArray& name, quint32 offset, quint32 size);
  void AddSourceFile(const QByteArray& name, const QList<TLineRange>& ranges);
  // The whole data: header, subsections, directory, trailer.
  QByteArray Data(const QByteArray& signature = "FB09") const;

private:
  QByteArray NamesSubsection() const;
  QByteArray SymbolsSubsection() const;
  QByteArray SourceSubsection() const;

  QList<QByteArray> names_;
  QList<QByteArray> modules_;    // finished module subsections
  QList<QByteArray> procedures_; // finished symbol records
  QList<std::pair<quint32, QList<TLineRange>>> sources_;
};

// Little-endian appenders shared by the test-side writers.
void Put16(QByteArray& out, quint16 value);
void Put32(QByteArray& out, quint32 value);
void Set32(QByteArray& out, qsizetype at, quint32 value);
