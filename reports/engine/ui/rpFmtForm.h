#pragma once
#include "core/ui/Form.h"
#include <QtCore/QList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TrpView;

// The display format of text objects: a category (text, number, date, time,
// truth value), a kind within it, for numbers the decimal places and the
// separator, and for the last kind of a category ("Vlastný") a format text of
// its own. The caller sets Format and FormatText and reads them after OK.
class TrpFmtForm : public TForm {
  Q_OBJECT
public:
  explicit TrpFmtForm(QWidget* parent = nullptr);

  qint32 Format = 0;
  QString FormatText;

  QListWidget* CatLB;
  QListWidget* TypeLB;
  QLabel* Label1;
  QLineEdit* DecEdit;
  QLabel* Label2;
  QLineEdit* SplEdit;
  QLabel* Label3;
  QLineEdit* FormatEdit;
  QPushButton* Button1;
  QPushButton* Button2;

protected:
  void FormShow() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void FillKinds(int category);
  void UpdateControls();
  void Accept();
};

// Opens the dialog on the first text object's format and, on OK, gives every
// text object of the list the chosen format; false when nothing changed.
bool rpEditDisplayFormat(const QList<TrpView*>& objects, QWidget* parent = nullptr);
