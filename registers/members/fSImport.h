#pragma once
#include "core/ui/Form.h"
#include <QtCore/QDate>
#include <functional>

class QGroupBox;
class QListWidget;
class QRadioButton;
class TIBCheckBox;
class TIBDatabase;
class TIBEdit;
class TIBQuery;
class TIBTransaction;
class TQPLBtn;
class TUxFormPlacement;
class TXbTable;

// The member import: reads the dBASE member file of one of two older
// member-keeping programs record by record and inserts every record as a new
// member, optionally after emptying the member register, all in one
// transaction. A failure leaves the register, its keys and its key generator
// as they were.
class TfrmSImport : public TForm {
  Q_OBJECT
public:
  // Works on the given connection (the main connection when null).
  explicit TfrmSImport(QWidget* owner = nullptr, TIBDatabase* database = nullptr);

  void eDBFileButtonClick();
  void btnZapisClick();
  void btnNezapisClick() { SetModalResult(mrCancel); }
  // Adds a line to the progress list and shows it.
  void Log(const QString& text);

  // The source layout: 0 the member file "Clezk<organisation>.dbf", 1 "Clen.dbf".
  int SoftwareIndex() const;
  void SetSoftwareIndex(int index);

  // The birth date in a Slovak birth number ("YYMMDD/SSSS"); an invalid date
  // when the number has none. Ten digits mean 1954-2053, nine digits the
  // 1900s, six digits without the rest the last hundred years up to
  // `currentYear`; women's months (+50) and the spare months (+20, +70) count
  // as their month.
  static QDate RodneCisloToDate(const QString& number, int currentYear = QDate::currentDate().year());

  // Asks for the file to import, starting at `current`; empty when cancelled.
  // Tests replace it.
  static std::function<QString(QWidget* owner, const QString& current)> AskFileName;

  QGroupBox* rgpSoftware;
  QRadioButton *rbClezk, *rbClen;
  TIBEdit* eDBFile;
  TIBCheckBox* eVymazatClenov;
  QListWidget* lbProgress;
  TQPLBtn *btnZapis, *btnNezapis;
  TIBTransaction* ibt1;
  TIBQuery* ib1;
  TUxFormPlacement* fp;

protected:
  void FormShow() override;
  bool FormKeyDown(QKeyEvent* event) override;

private:
  // Opens the file and checks that it has every field the layout reads;
  // false (and the user told why) when it cannot be imported.
  bool OpenSource(TXbTable& source, const QString& path);
  void ImportRecords(TXbTable& source);
  void ImportZelvar(TXbTable& source);
  void ImportKlemoro(TXbTable& source);
  // Puts the key generator back to where it was, or to the highest key left.
  void RestoreMemberKeys(qint64 before);
  void SetControlsEnabled(bool on);

  TIBDatabase* database_;
};

// Registers the dialog for the main window's "Importovanie údajov".
void RegisterMemberImport();
