#pragma once
#include "controls/DataEntryControl.h"
#include <QtCore/QVariant>
#include <QtWidgets/QLineEdit>

class QToolButton;

// The common body of the date and time entries: a Courier line edit of the
// kit's height with a button at its right end that typed text never runs
// under, the required and read-only states (read-only hides the button) and
// the refusal message.
class TButtonLineEdit : public QLineEdit, public TDataEntryControl {
  Q_OBJECT
public:
  void SetRequired(bool on);
  void SetReadOnly(bool on);
  QVariant Tag() const { return tag_; }
  void SetTag(const QVariant& tag) { tag_ = tag; }
  QToolButton* Button() const { return button_; }

protected:
  TButtonLineEdit(QWidget* parent, int width);
  void PlaceButton();
  void Refuse(const QString& message);
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The number a part of the typed text holds, or -1 when it holds none.
  static int PartNumber(const QString& text);

  QToolButton* const button_;

private:
  QVariant tag_ = 0;
};
