#pragma once
#include "registers/common/DialogForm.h"
#include <QtCore/QStringList>

class TIBComboBox;
class TIBEdit;
class TSpeedButton;

// The add/edit dialog of a fishing ground: number and name unique within the
// year, the managing branch, the kinds of water and ground, and the price
// items of its six permits; it stores the ground's two display names.
class TfrmCReviryJUXPridaj : public TDialogForm {
  Q_OBJECT
public:
  explicit TfrmCReviryJUXPridaj(QWidget* owner = nullptr);
  ~TfrmCReviryJUXPridaj() override;

  // The price columns in their order (season, day, week; members first) and
  // their captions.
  static QStringList PriceColumns();
  static QStringList PriceLabels();
  // The display names of a ground: led by its name ("Jazero 2 (Sever) -
  // 2-1234-1-1") and led by its number ("2-1234-1-1 - Jazero 2 (Sever)"),
  // each cut to 75 characters.
  static QString NameForm(const QString& cislo, const QString& nazov, const QString& zo);
  static QString NumberForm(const QString& cislo, const QString& nazov, const QString& zo);

  TIBEdit *eDBCislo, *eDBNazov;
  TIBComboBox *eDBZO, *eDBTypVody, *eDBTypRevira;
  TSpeedButton* btnZO;
  // The price items, in the order of PriceColumns, and their picker buttons.
  TIBComboBox* Ceny[6];
  TSpeedButton* btnCeny[6];

protected:
  void FormShow() override;

private:
  QString BranchName() const;
};
