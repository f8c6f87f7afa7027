#pragma once
#include "core/ui/Form.h"
#include <QtCore/QStringList>

class QPlainTextEdit;
class QPushButton;

// The caption dictionary's editor of a cross-tab: one line Name=Caption per field.
class TDictionaryForm : public TForm {
  Q_OBJECT
public:
  explicit TDictionaryForm(QWidget* parent = nullptr);
  // Shows the lines modally; true when closed with Ok.
  bool Edit(const QStringList& lines);
  QStringList Lines() const;

  QPlainTextEdit* Memo1;
  QPushButton* OkButton;
  QPushButton* CancelButton;
};
