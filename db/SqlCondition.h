#pragma once
#include <QtCore/QString>
#include <QtCore/QVariantMap>

// A condition of a statement with the values it binds: the text names each
// value as a ":NAME" parameter and never holds a value itself. A fixed
// condition without values converts from its text.
struct TSqlCondition {
  QString Text;
  QVariantMap Params;

  TSqlCondition() = default;
  TSqlCondition(QString text, QVariantMap params = {}) : Text(std::move(text)), Params(std::move(params)) {}
  bool IsEmpty() const { return Text.trimmed().isEmpty(); }
};
