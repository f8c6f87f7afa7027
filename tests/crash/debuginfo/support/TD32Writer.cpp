#include "TD32Writer.h"

void Put16(QByteArray& out, quint16 value) {
  out.append(char(value & 0xFF));
  out.append(char(value >> 8));
}

void Put32(QByteArray& out, quint32 value) {
  for (int i = 0; i < 4; ++i)
    out.append(char((value >> (8 * i)) & 0xFF));
}

void Set32(QByteArray& out, qsizetype at, quint32 value) {
  for (int i = 0; i < 4; ++i)
    out[at + i] = char((value >> (8 * i)) & 0xFF);
}

quint32 TTD32Writer::Name(const QByteArray& name) {
  const qsizetype known = names_.indexOf(name);
  if (known >= 0) return quint32(known + 1);
  names_.append(name);
  return quint32(names_.size());
}

void TTD32Writer::AddModule(const QByteArray& name, const QList<TSegment>& segments) {
  QByteArray module;
  Put16(module, 0); // overlay
  Put16(module, 0); // library
  Put16(module, quint16(segments.size()));
  Put16(module, 0); // debugging style
  Put32(module, Name(name));
  Put32(module, 0);        // time stamp
  module.append(12, '\0'); // reserved
  for (const TSegment& segment : segments) {
    Put16(module, 1);
    Put16(module, 0);
    Put32(module, segment.Offset);
    Put32(module, segment.Size);
  }
  modules_.append(module);
}

void TTD32Writer::AddProcedure(bool global, const QByteArray& name, quint32 offset, quint32 size) {
  QByteArray record;
  Put16(record, 42); // the record's length after this field
  Put16(record, global ? 0x205 : 0x204);
  record.append(40, '\0');
  Set32(record, 16, size);
  Set32(record, 28, offset);
  Set32(record, 40, Name(name));
  procedures_.append(record);
}

void TTD32Writer::AddSourceFile(const QByteArray& name, const QList<TLineRange>& ranges) {
  sources_.append({Name(name), ranges});
}

QByteArray TTD32Writer::NamesSubsection() const {
  QByteArray names;
  Put32(names, quint32(names_.size()));
  for (const QByteArray& name : names_) {
    names.append(char(name.size()));
    names.append(name);
    names.append('\0');
  }
  return names;
}

QByteArray TTD32Writer::SymbolsSubsection() const {
  QByteArray symbols;
  Put32(symbols, 1); // signature
  for (const QByteArray& record : procedures_)
    symbols.append(record);
  return symbols;
}

QByteArray TTD32Writer::SourceSubsection() const {
  QByteArray source;
  Put16(source, quint16(sources_.size()));
  Put16(source, 0);
  const qsizetype fileOffsets = source.size();
  source.append(sources_.size() * 4, '\0');
  for (qsizetype file = 0; file < sources_.size(); ++file) {
    const auto& [nameIndex, ranges] = sources_[file];
    Set32(source, fileOffsets + file * 4, quint32(source.size()));
    Put16(source, quint16(ranges.size()));
    Put32(source, nameIndex);
    const qsizetype tableOffsets = source.size();
    source.append(ranges.size() * 4, '\0');
    for (const TLineRange& range : ranges) {
      Put32(source, range.Start);
      Put32(source, range.End);
    }
    for (qsizetype i = 0; i < ranges.size(); ++i) {
      Set32(source, tableOffsets + i * 4, quint32(source.size()));
      Put16(source, 1);
      Put16(source, quint16(ranges[i].Lines.size()));
      for (const auto& line : ranges[i].Lines)
        Put32(source, line.first);
      for (const auto& line : ranges[i].Lines)
        Put16(source, line.second);
    }
  }
  return source;
}

QByteArray TTD32Writer::Data(const QByteArray& signature) const {
  QByteArray data = signature;
  Put32(data, 0); // directory offset, set below
  struct TEntry {
    quint16 Type;
    quint32 Offset, Size;
  };
  QList<TEntry> entries;
  auto add = [&](quint16 type, const QByteArray& subsection) {
    entries.append({type, quint32(data.size()), quint32(subsection.size())});
    data.append(subsection);
  };
  for (const QByteArray& module : modules_)
    add(0x120, module);
  add(0x125, SymbolsSubsection());
  add(0x127, SourceSubsection());
  add(0x130, NamesSubsection());
  Set32(data, 4, quint32(data.size()));
  Put16(data, 16);
  Put16(data, 12);
  Put32(data, quint32(entries.size()));
  Put32(data, 0); // no next directory
  Put32(data, 0);
  for (const TEntry& entry : entries) {
    Put16(data, entry.Type);
    Put16(data, 0);
    Put32(data, entry.Offset);
    Put32(data, entry.Size);
  }
  data.append(signature);
  Put32(data, quint32(data.size() + 4));
  return data;
}
