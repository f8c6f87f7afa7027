#pragma once
#include "registers/common/ListForm.h"
#include <functional>

class TIBCheckBox;
class TIBComboBox;
class TIBDate;
class TIBQuery;

// The members register: every person of C_CLENOV with the membership flag of
// the working year (the paid-up row of C_CLENOV_CLENSKE), a filter panel,
// counts, prints and the SYLK export of the chosen members. With Tag 1 it is
// the picker of the member combos; the caller reads JEDIN of `list.ib1`.
class TfrmCClenov : public TListForm {
  Q_OBJECT
public:
  TfrmCClenov(QWidget* owner, quint16 rok);
  ~TfrmCClenov() override;

  TIBComboBox *eDBMesto, *eDBPovolanie, *eDBSkupina;
  TIBCheckBox *eBrigadaOslobodeny, *eSkolenieUskutocnene, *eIbaClenov;
  TIBDate *eDatumNarodeniaOd, *eDatumNarodeniaDo;
  // The second query, in the list's transaction.
  TIBQuery* ibs;

  // The filter clauses of the panel, in their fixed order.
  void AddFilter(TListQuery& query);
  // The counts of all persons, members of the working year and the others.
  void btnInfoClick();
  // Asks for a file and writes the chosen members to it as a SYLK sheet.
  void btnSaveClick();
  void btnTlacClick();
  // Writes a heading row and the query's rows (display texts) as a SYLK sheet.
  static void ExportToExcel(TIBQuery& query, const QString& fileName);

  // The save dialog of the export: returns the chosen file, empty when cancelled.
  static std::function<QString()> AskExportFileName;

private:
  void BuildFilterPanel();
  void FormCreate();
};
