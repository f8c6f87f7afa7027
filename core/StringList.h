#pragma once
#include <QtCore/QStringList>

// The string list of the forms and templates: lines with "name=value" access
// and a Text that joins the lines with CR LF.
class TStringList : public QStringList {
public:
  using QStringList::QStringList;
  TStringList(const QStringList& other) : QStringList(other) {}

  int Count() const { return int(size()); }
  // Lines joined by CR LF, each line terminated (as the files store it).
  QString Text() const;
  // Splits at CR LF, LF or CR; a final line break adds no empty line.
  void SetText(const QString& text);

  // Index of the first line "name=..." (name compared case-insensitively), or -1.
  int IndexOfName(const QString& name) const;
  QString Values(const QString& name) const;
  // Replaces the value of the name, adds "name=value" when absent, removes the
  // line when the value is empty.
  void SetValue(const QString& name, const QString& value);
  QString Names(int index) const;
  QString ValueFromIndex(int index) const;
};
