#include "util/IniFiles.h"
#include "core/CodePage1250.h"
#include <QtCore/QFile>
#include <QtCore/QSaveFile>
#include <QtCore/QStringDecoder>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// A "[name]" line: the name, else a null string.
QString SectionOf(const QString& line) {
  const QString trimmed = line.trimmed();
  if (!trimmed.startsWith(QLatin1Char('['))) return {};
  const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
  return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

bool IsSectionLine(const QString& line) { return line.trimmed().startsWith(QLatin1Char('[')); }

// A "key=value" line's key, else a null string.
QString KeyOf(const QString& line) {
  const qsizetype equals = line.indexOf(QLatin1Char('='));
  if (equals < 0 || IsSectionLine(line)) return {};
  return line.left(equals).trimmed();
}

QString ValueOf(const QString& line) {
  QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
  if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
      value.back() == value.front())
    value = value.mid(1, value.size() - 2);
  return value;
}

bool SameName(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

bool ParseInteger(const QString& text, int& value) {
  QString digits = text.trimmed();
  int base = 10;
  if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    digits = digits.mid(2);
    base = 16;
  } else if (digits.startsWith(QLatin1Char('$'))) {
    digits = digits.mid(1);
    base = 16;
  }
  bool ok = false;
  value = base == 16 ? int(digits.toUInt(&ok, 16)) : digits.toInt(&ok, 10);
  return ok && !digits.startsWith(QLatin1Char('+'));
}

} // namespace

struct TIniFile::TContent {
  QStringList Lines;
  bool Utf8 = false;

  // The index of the section's header line, or -1.
  qsizetype SectionLine(const QString& section) const {
    for (qsizetype i = 0; i < Lines.size(); ++i)
      if (IsSectionLine(Lines[i]) && SameName(SectionOf(Lines[i]), section)) return i;
    return -1;
  }
  // One past the section's last line.
  qsizetype SectionEnd(qsizetype header) const {
    qsizetype i = header + 1;
    while (i < Lines.size() && !IsSectionLine(Lines[i]))
      ++i;
    return i;
  }
  qsizetype KeyLine(const QString& section, const QString& key) const {
    const qsizetype header = SectionLine(section);
    if (header < 0) return -1;
    for (qsizetype i = header + 1, end = SectionEnd(header); i < end; ++i)
      if (SameName(KeyOf(Lines[i]), key) && !KeyOf(Lines[i]).isEmpty()) return i;
    return -1;
  }
};

TIniFile::TContent TIniFile::Load() const {
  TContent content;
  QFile file(fileName_);
  if (!file.open(QIODevice::ReadOnly)) return content;
  QByteArray bytes = file.readAll();
  content.Utf8 = bytes.startsWith(kUtf8Bom);
  const QString text = content.Utf8 ? QString::fromUtf8(bytes.mid(kUtf8Bom.size())) : Cp1250::Decode(bytes);
  // A line ends with CR LF, LF or a lone CR (an editor's old line ends):
  // no line read keeps a CR that a write could not give back.
  content.Lines = QString(text)
                      .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                      .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                      .split(QLatin1Char('\n'));
  if (!content.Lines.isEmpty() && content.Lines.last().isEmpty()) content.Lines.removeLast();
  return content;
}

void TIniFile::Save(const TContent& content) const {
  QString text;
  for (const QString& line : content.Lines)
    text += line + QLatin1String("\r\n");
  const bool utf8 = content.Utf8 || Cp1250::FirstUnencodable(text) >= 0;
  QSaveFile file(fileName_);
  if (file.open(QIODevice::WriteOnly) &&
      (!ownerOnly_ || file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))) {
    file.write(utf8 ? kUtf8Bom + text.toUtf8() : Cp1250::Encode(text));
    if (file.commit()) return;
  }
  throw EIniFileError(QStringLiteral("Nie je možné zapísať do súboru %1").arg(fileName_));
}

void TIniFile::CheckReadable() const {
  QFile file(fileName_);
  if (!file.exists()) return;
  const auto refuse = [this](const QString& why) {
    throw EIniFileError(QStringLiteral("Súbor nastavení %1 nie je možné prečítať: %2. Program ho nezmenil; opravte "
                                       "ho alebo ho vymažte.")
                            .arg(fileName_, why));
  };
  if (!file.open(QIODevice::ReadOnly)) refuse(QStringLiteral("súbor sa nedá otvoriť"));
  const QByteArray bytes = file.readAll();
  for (const char byte : bytes)
    if (static_cast<unsigned char>(byte) < 0x20 && byte != '\t' && byte != '\r' && byte != '\n')
      refuse(QStringLiteral("obsahuje binárne údaje"));
  if (bytes.startsWith(kUtf8Bom)) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8(bytes.mid(kUtf8Bom.size()));
    if (utf8.hasError()) refuse(QStringLiteral("nie je platný text v kódovaní UTF-8"));
  }
  for (const QString& line : Load().Lines) {
    const QString trimmed = line.trimmed();
    if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char(';')) && !trimmed.startsWith(QLatin1Char('#')) &&
        !IsSectionLine(trimmed) && !trimmed.contains(QLatin1Char('=')))
      refuse(QStringLiteral("riadok „%1“ nie je sekcia ani nastavenie").arg(trimmed.left(40)));
  }
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
  const TContent content = Load();
  const qsizetype line = content.KeyLine(section, key);
  return line < 0 ? defaultValue : ValueOf(content.Lines[line]);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
  int value = 0;
  return ParseInteger(ReadString(section, key), value) ? value : defaultValue;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  for (const QString& text : {section, key, value})
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
      throw EIniFileError(QStringLiteral("Hodnota v súbore %1 nesmie obsahovať koniec riadku").arg(fileName_));
  TContent content = Load();
  const QString entry = key + QLatin1Char('=') + value;
  const qsizetype header = content.SectionLine(section);
  const qsizetype existing = content.KeyLine(section, key);
  if (existing >= 0) {
    content.Lines[existing] = entry;
  } else if (header < 0) {
    // A new section goes to the end, a blank line apart from the one before.
    if (!content.Lines.isEmpty() && !content.Lines.last().trimmed().isEmpty()) content.Lines << QString();
    content.Lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
  } else {
    // After the section's last non-blank line, so blank separator lines stay below it.
    qsizetype at = content.SectionEnd(header);
    while (at > header + 1 && content.Lines[at - 1].trimmed().isEmpty())
      --at;
    content.Lines.insert(at, entry);
  }
  Save(content);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString& section) const { return Load().SectionLine(section) >= 0; }

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
  return Load().KeyLine(section, key) >= 0;
}

QStringList TIniFile::ReadSection(const QString& section) const {
  const TContent content = Load();
  const qsizetype header = content.SectionLine(section);
  QStringList keys;
  if (header < 0) return keys;
  for (qsizetype i = header + 1, end = content.SectionEnd(header); i < end; ++i)
    if (!KeyOf(content.Lines[i]).isEmpty()) keys.append(KeyOf(content.Lines[i]));
  return keys;
}

QStringList TIniFile::ReadSections() const {
  QStringList sections;
  for (const QString& line : Load().Lines)
    if (IsSectionLine(line)) sections.append(SectionOf(line));
  return sections;
}

void TIniFile::EraseSection(const QString& section) {
  TContent content = Load();
  const qsizetype header = content.SectionLine(section);
  if (header < 0) return;
  content.Lines.remove(header, content.SectionEnd(header) - header);
  Save(content);
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
  TContent content = Load();
  const qsizetype line = content.KeyLine(section, key);
  if (line < 0) return;
  content.Lines.removeAt(line);
  Save(content);
}

bool IniFileReadBool(const QString& fileName, const QString& section, const QString& key) {
  return TIniFile(fileName).ReadBool(section, key);
}

QString IniFileReadString(const QString& fileName, const QString& section, const QString& key) {
  return TIniFile(fileName).ReadString(section, key);
}

void IniFileWriteBool(const QString& fileName, const QString& section, const QString& key, bool value) {
  TIniFile(fileName).WriteBool(section, key, value);
}

void IniFileWriteString(const QString& fileName, const QString& section, const QString& key, const QString& value) {
  TIniFile(fileName).WriteString(section, key, value);
}
