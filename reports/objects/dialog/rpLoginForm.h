#pragma once
#include "core/ui/Form.h"

class QLineEdit;

// Asks for the user name and password of a report's connection to a database.
class TrpLoginForm : public TForm {
  Q_OBJECT
public:
  explicit TrpLoginForm(const QString& databaseName, QWidget* parent = nullptr);

  QLineEdit *UserName = nullptr, *Password = nullptr;

  // The prompt the report's connections use; false when cancelled.
  static bool Ask(const QString& databaseName, QString& userName, QString& password);
};
