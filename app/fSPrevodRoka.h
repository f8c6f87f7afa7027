#pragma once
#include "core/ui/Form.h"

class QCheckBox;
class TIBDatabase;
class TIBQuery;
class TIBTransaction;
class TQPLBtn;
class TUxFormPlacement;

// The year rollover: copies the chosen per-year code lists from the year
// before the working year into the working year, each row once (matched by
// its identifying column, empty values included), all lists in one
// transaction. Copied fishing grounds are pointed at the working year's
// price rows of the same name.
class TfrmSPrevodRoka : public TForm {
  Q_OBJECT
public:
  // Works on the given connection (the main window's when null) for the
  // year its opener hands it (the main window: the working year).
  TfrmSPrevodRoka(QWidget* owner, TIBDatabase* database, int year);

  // Runs the rollover; closes with modal result 1 unless an unknown error
  // is raised again.
  void btnZapisClick();

  QCheckBox *eReviry, *eDruhyDokladov, *eCeninyTlaciva, *eTypyBrigad, *eKrmiv;
  TQPLBtn *btnZapis, *btnNezapis;
  TIBTransaction* ibt1;
  TIBQuery *ib1, *ib2;
  TUxFormPlacement* fp;

protected:
  void FormShow() override;
  bool FormKeyDown(QKeyEvent* event) override;

private:
  struct TList {
    QCheckBox* box;
    const char* table;
    const char* keyColumn;
    bool allColumns; // false: NAZOV is the only data column
  };
  QList<TList> Lists() const;
  void SetButtonsEnabled(bool on);

  TIBDatabase* database_;
  int year_;
};
