#pragma once
#include "core/ui/Form.h"
#include <functional>

class TDbGridQPL;
class QStackedWidget;
class QLineEdit;
class QDateEdit;
class QLabel;

// The incremental find dialog of the list grid: searches the grid's data set
// in one field as the user types (text page) or picks a date (date page);
// Enter on a found row closes it with OK and fires the grid's OnFoundRecord.
// The grid stays on the row the search reached in every case. Its position
// is kept under "Software\Kalim\TfrmDBGridQPLFind".
class TfrmDBGridQPLFind : public TForm {
  Q_OBJECT
public:
  enum class TPage { Text, Date };

  TfrmDBGridQPLFind(TDbGridQPL* grid, const QString& fieldName, TPage page);
  ~TfrmDBGridQPLFind() override;

  QStackedWidget* pc1;
  QWidget* tsString;
  QWidget* tsDate;
  QLabel* lblString;
  QLabel* lblDate;
  QLineEdit* e1;
  QDateEdit* e2;

  // Whether the last search step found a row.
  bool Found() const { return found_; }
  // The text of the last search, shared by every grid for the program's run.
  static QString LastSearch();
  // The sound of a failed search ("Sounds/Oops.Wav" below the program's
  // folder when it exists); tests put their own.
  static void SetOopsSound(std::function<void()> sound);
  static QString RegistryKey();

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;
  bool FormKeyDown(QKeyEvent* event) override;

private:
  void e1Change(const QString& text);
  void e2Change();
  // Searches forward from the current row (inclusive) for a value that
  // starts with `text`, ignoring case; keeps the position when none does.
  bool LocateFromCurrent(const QString& text);
  void ShowResult(QWidget* edit, bool found, bool blank);

  TDbGridQPL* grid_;
  QString fieldName_;
  bool found_ = false;
  bool red_ = false;
  bool closed_ = false;
};
