#include "core/StringList.h"
#include <QtCore/QRegularExpression>

QString TStringList::Text() const {
  QString text;
  for (const QString& line : *this)
    text += line + QLatin1String("\r\n");
  return text;
}

void TStringList::SetText(const QString& text) {
  static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
  QStringList lines = text.split(lineBreak);
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  QStringList::operator=(lines);
}

int TStringList::IndexOfName(const QString& name) const {
  for (int i = 0; i < Count(); ++i)
    if (Names(i).compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

QString TStringList::Values(const QString& name) const {
  const int i = IndexOfName(name);
  return i < 0 ? QString() : ValueFromIndex(i);
}

void TStringList::SetValue(const QString& name, const QString& value) {
  const int i = IndexOfName(name);
  if (value.isEmpty()) {
    if (i >= 0) removeAt(i);
  } else if (i >= 0) {
    (*this)[i] = name + QLatin1Char('=') + value;
  } else {
    append(name + QLatin1Char('=') + value);
  }
}

QString TStringList::Names(int index) const {
  const QString& line = at(index);
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  return eq < 0 ? QString() : line.left(eq);
}

QString TStringList::ValueFromIndex(int index) const {
  const QString& line = at(index);
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  return eq < 0 ? QString() : line.mid(eq + 1);
}
