#pragma once
#include <QtWidgets/QComboBox>

class TrpSpeedButton;

// An editable combo box with an ellipsis button inside its right edge, for
// values that have an editor of their own: the button focuses the edit and
// sends ButtonClicked. Enter and Esc typed in the edit also reach the form's
// default and cancel buttons.
class TrpComboEdit : public QComboBox {
  Q_OBJECT
public:
  explicit TrpComboEdit(QWidget* parent = nullptr);

  QImage Glyph() const;
  void SetGlyph(const QImage& glyph);
  bool ButtonEnabled() const;
  void SetButtonEnabled(bool enabled);
  QString ButtonHint() const;
  void SetButtonHint(const QString& hint);
  TrpSpeedButton* Button() const { return button_; }

signals:
  void ButtonClicked();

protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget* panel_;
  TrpSpeedButton* button_;
};
