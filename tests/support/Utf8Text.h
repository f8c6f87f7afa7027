#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <initializer_list>

// Test texts written as UTF-8 literals.
inline QString S(const char* utf8) { return QString::fromUtf8(utf8); }
inline QStringList L(std::initializer_list<const char*> items) {
  QStringList list;
  for (const char* item : items)
    list << QString::fromUtf8(item);
  return list;
}
