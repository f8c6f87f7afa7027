#pragma once
#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <functional>

// The engine's string and bitmap loader. Strings are numbered (53000-58104)
// and compiled in as a UTF-8 table; a resource library (a table file of the
// same form, "number<TAB>text" per line) may replace them, and a localise
// callback comes before both.
class TrpLocale {
public:
  using TLocalizeEvent = std::function<QString(int id)>;

  TrpLocale();

  // The callback's text when it gives one, else the library's or the
  // program's string, at most 1023 characters; empty for an unknown number.
  QString LoadString(int id) const;
  // The bitmap resource of that name; a null image when there is none.
  QImage LoadBitmapResource(const QString& name) const;

  // Returns false (and keeps no library) when the file cannot be read.
  bool LoadResourceLibrary(const QString& fileName);
  void ClearResourceLibrary() { library_.reset(); }

  TLocalizeEvent OnLocalize;
  // The designer's inspector shows the properties by their localized names.
  bool LocalizedPropNames = false;

private:
  QHash<int, QString> program_;
  std::optional<QHash<int, QString>> library_;
};

// Created on first use; freed when the engine ends.
TrpLocale& rpGetLocale();
void rpFreeLocale();
