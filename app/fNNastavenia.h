#pragma once
#include "core/ui/Form.h"

class QCheckBox;
class QGroupBox;
class QToolButton;
class QWidget;
class TIBComboBox;
class TIBCurrencyEdit;
class TIBDatabase;
class TIBEdit;
class TIBQuery;
class TIBTransaction;
class TQPLBtn;
class TUxFormPlacement;

// The settings dialog: edits the own organisation's identity and the
// run-time settings stored in NASTAVENIA. Confirming writes all keys in one
// transaction and copies them into this workstation's run-time records only
// after the commit; a refused save keeps the dialog open.
class TfrmNNastavenia : public TForm {
  Q_OBJECT
public:
  // Works on the given connection (the main window's when null).
  explicit TfrmNNastavenia(QWidget* owner = nullptr, TIBDatabase* database = nullptr);

  // Loads one key into one control inside the open transaction.
  void Nacitaj(const QString& key, QWidget* control);
  // Writes one key through the stored procedure inside the open transaction;
  // a Null number is stored as Null.
  void Nastav(const QString& key, const QString& text, const QVariant& number);

  void FormCreate();
  void btnZapisClick();
  void btnNezapisClick();
  void btnZOClick();
  void btnJUXClick();

  QGroupBox* gbOrganizacia;
  TIBEdit *eDBNazov, *eDBUlica, *eDBPSC, *eDBMesto, *eDBICO, *eDBDIC, *eDBICDPH;
  TIBEdit *eDBUcetPredcislie, *eDBUcetCislo, *eDBUcetKod, *eDBUcetIBAN;
  TIBComboBox *eZO, *eJUX;
  QToolButton *btnZO, *btnJUX;
  TIBCurrencyEdit* eBrigadaHodiny;
  QCheckBox* ePriezviskaVelkymi;
  TQPLBtn *btnZapis, *btnNezapis;
  TIBTransaction* ibt1;
  TIBQuery* ib1;
  TUxFormPlacement* fp;

protected:
  void FormShow() override;
  bool FormKeyDown(QKeyEvent* event) override;

private:
  struct TKey {
    const char* key;
    QWidget* control;
  };
  // The keys in the order they are read and written.
  QList<TKey> Keys() const;
  void PickOrganisation(QToolButton* button, TIBComboBox* combo);
  // The two organisations are required only once the organisation code list
  // has rows to choose from; until then the other settings can be saved.
  void RequireOrganisations();

  TIBDatabase* database_;
};
