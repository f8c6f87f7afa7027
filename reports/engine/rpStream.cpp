#include "reports/engine/rpStream.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"

namespace {

constexpr qsizetype kMaxWord = 0xFFFF;

QByteArray EncodeCounted(const QString& text) {
  QByteArray bytes = Cp1250::EncodeLossy(text);
  if (bytes.size() > kMaxWord)
    throw EStreamError(
        QStringLiteral("Text dĺžky %1 bajtov sa nezmestí do záznamu (najviac 65535).").arg(bytes.size()));
  return bytes;
}

QString ReadCounted(TBinaryReader& stream) {
  const quint16 length = stream.ReadUInt16();
  return stream.ReadCp1250(length);
}

} // namespace

void rpWriteByte(TBinaryWriter& stream, quint8 value) { stream.WriteByte(value); }
quint8 rpReadByte(TBinaryReader& stream) { return stream.ReadByte(); }
void rpWriteBoolean(TBinaryWriter& stream, bool value) { stream.WriteByte(value ? 1 : 0); }
bool rpReadBoolean(TBinaryReader& stream) { return stream.ReadByte() != 0; }
void rpWriteWord(TBinaryWriter& stream, quint16 value) { stream.WriteUInt16(value); }
quint16 rpReadWord(TBinaryReader& stream) { return stream.ReadUInt16(); }
void rpWriteInteger(TBinaryWriter& stream, qint32 value) { stream.WriteInt32(value); }
qint32 rpReadInteger(TBinaryReader& stream) { return stream.ReadInt32(); }

void rpWriteString(TBinaryWriter& stream, const QString& text) {
  const QByteArray bytes = EncodeCounted(text);
  stream.WriteUInt16(quint16(bytes.size()));
  stream.WriteBytes(bytes);
  stream.WriteByte(0);
}

QString rpReadString(TBinaryReader& stream) {
  const QString text = ReadCounted(stream);
  stream.ReadByte();
  return text;
}

void rpWriteMemo(TBinaryWriter& stream, const QStringList& lines) {
  if (lines.size() > kMaxWord)
    throw EStreamError(QStringLiteral("Zoznam %1 riadkov sa nezmestí do záznamu (najviac 65535).").arg(lines.size()));
  // Every line is encoded before anything is written, so a refused list leaves the stream as it was.
  QList<QByteArray> encoded;
  for (const QString& line : lines)
    encoded.append(EncodeCounted(line));
  stream.WriteUInt16(quint16(lines.size()));
  if (lines.isEmpty()) {
    stream.WriteByte(0);
    return;
  }
  for (qsizetype i = 0; i < encoded.size(); ++i) {
    stream.WriteUInt16(quint16(encoded[i].size()));
    stream.WriteBytes(encoded[i]);
    stream.WriteByte(i + 1 < encoded.size() ? 13 : 0);
  }
}

void rpReadMemo(TBinaryReader& stream, QStringList& lines) {
  lines.clear();
  if (stream.ReadUInt16() == 0) {
    stream.ReadByte();
    return;
  }
  // The separator bytes, not the count, decide where the list ends.
  do {
    lines.append(ReadCounted(stream));
  } while (stream.ReadByte() != 0);
}

QString rpReadStringOld(TBinaryReader& stream) {
  QByteArray bytes;
  for (quint8 b = stream.ReadByte(); b != 0; b = stream.ReadByte())
    bytes.append(char(b));
  return Cp1250::Decode(bytes);
}

void rpReadMemoOld(TBinaryReader& stream, QStringList& lines) {
  lines.clear();
  QByteArray pending;
  for (quint8 b = stream.ReadByte(); b != 0; b = stream.ReadByte()) {
    if (b == 13) {
      lines.append(Cp1250::Decode(pending));
      pending.clear();
    } else {
      pending.append(char(b));
    }
  }
  if (!pending.isEmpty()) lines.append(Cp1250::Decode(pending));
}

TFontStyles rpSetFontStyle(quint16 stored) {
  TFontStyles style;
  style.Italic = stored & 1;
  style.Bold = stored & 2;
  style.Underline = stored & 4;
  style.StrikeOut = stored & 8;
  return style;
}

quint16 rpGetFontStyle(const TFontStyles& style) {
  return quint16((style.Italic ? 1 : 0) | (style.Bold ? 2 : 0) | (style.Underline ? 4 : 0) | (style.StrikeOut ? 8 : 0));
}

void rpWriteFont(TBinaryWriter& stream, const TrpFont& font) {
  rpWriteString(stream, font.Name);
  stream.WriteInt32(font.Size);
  stream.WriteUInt16(rpGetFontStyle(font.Style));
  stream.WriteInt32(font.Color);
  stream.WriteUInt16(font.Charset);
}

void rpReadFont(TBinaryReader& stream, TrpFont& font) {
  font.Name = rpReadString(stream);
  font.Size = stream.ReadInt32();
  font.Style = rpSetFontStyle(stream.ReadUInt16());
  font.Color = stream.ReadInt32();
  font.Charset = quint8(stream.ReadUInt16() & 0xFF);
}
