#include "registers/members/fCClenov.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "controls/IBDate.h"
#include "controls/SylkWriter.h"
#include "controls/fWaitPlease.h"
#include "core/DateTime.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/MemberRows.h"
#include "registers/members/fCClenovPridaj.h"
#include "registers/members/fCClenovTlac.h"
#include <QtCore/QScopeGuard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <algorithm>

namespace {
const QString kExportTag = QStringLiteral("3717F74E-DEE6-476B");

// The SQL-wait cursor for the life of a database step.
struct TSqlWaitCursor {
  TSqlWaitCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
  ~TSqlWaitCursor() { QApplication::restoreOverrideCursor(); }
};

// The text itself is the key: the filter compares the column with it.
TIBComboBox* MakeTextCombo(QWidget* parent, const QString& name, const QString& column) {
  auto* combo = new TIBComboBox(parent);
  combo->setObjectName(name);
  SetupTextCombo(*combo, QStringLiteral("c_clenov"), column, 25, 0);
  return combo;
}

const QStringList kExportHeadings = {
    QStringLiteral("Titul"),
    QStringLiteral("Meno"),
    QStringLiteral("Priezvisko"),
    QStringLiteral("Ulica"),
    QStringLiteral("Mesto"),
    QStringLiteral("PSČ"),
    QStringLiteral("Dátum narodenia"),
    QStringLiteral("Číslo legitimácie"),
    QStringLiteral("Vstup do JUX"),
    QStringLiteral("Vstup do ZO JUX"),
    QStringLiteral("Školenie"),
    QStringLiteral("Školenie dátum"),
    QStringLiteral("Brigáda povinná"),
    QStringLiteral("Skupina 1"),
    QStringLiteral("Skupina 2"),
    QStringLiteral("Skupina 3"),
    QStringLiteral("Skupina 4"),
    QStringLiteral("Skupina 5"),
    QStringLiteral("Pracovné zaradenie"),
    QStringLiteral("Povolanie"),
    QStringLiteral("Telefón"),
    QStringLiteral("e-mail"),
    QStringLiteral("Ukončené členstvo"),
    QStringLiteral("Ukončené dňa"),
    QStringLiteral("Člen ObO"),
};

QString AskExportFileNameWithDialog() {
  QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Zvoľte cestu a zadajte názov súboru pre export..."));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("xls"));
  dialog.setNameFilter(QStringLiteral("Súbor MS Excel (*.xls)"));
  dialog.selectFile(QStringLiteral("Členská základna.xls"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}
} // namespace

std::function<QString()> TfrmCClenov::AskExportFileName = AskExportFileNameWithDialog;

TfrmCClenov::TfrmCClenov(QWidget* owner, quint16 rok)
    : TListForm(owner, kStandardListButtons | lbTlac | lbFilter | lbHladaj | lbSave | lbInfo, rok) {
  ibs = new TIBQuery(this);
  ibs->setObjectName(QStringLiteral("ibs"));
  ibs->SetDatabase(MainDatabase());
  ibs->SetTransaction(list.ibt1);
  BuildFilterPanel();
  FormCreate();
}

TfrmCClenov::~TfrmCClenov() = default;

void TfrmCClenov::BuildFilterPanel() {
  QWidget* panel = list.pnlFilter;
  // Two lines: the combos, then the check boxes and the birth dates; one line
  // of the form's width would cut the captions.
  auto* grid = new QGridLayout;
  static_cast<QHBoxLayout*>(panel->layout())->addLayout(grid);
  int column = 0, line = 0;
  auto place = [&](const QString& text, QWidget* control) {
    auto* caption = new QLabel(text, panel);
    caption->setBuddy(control);
    grid->addWidget(caption, line, column++);
    grid->addWidget(control, line, column++);
  };
  eDBMesto = MakeTextCombo(panel, QStringLiteral("eDBMesto"), QStringLiteral("mesto"));
  place(QStringLiteral("Mesto:"), eDBMesto);
  eDBPovolanie = MakeTextCombo(panel, QStringLiteral("eDBPovolanie"), QStringLiteral("povolanie"));
  place(QStringLiteral("Povolanie:"), eDBPovolanie);
  eDBSkupina = new TIBComboBox(panel);
  eDBSkupina->setObjectName(QStringLiteral("eDBSkupina"));
  SetupGroupCombo(*eDBSkupina);
  place(QStringLiteral("Skupina:"), eDBSkupina);
  // The three lookups share the line, so that a group's name is as readable as a town.
  for (int c : {1, 3, 5})
    grid->setColumnStretch(c, 1);
  line = 1;
  column = 0;
  auto check = [&](const QString& name, const QString& caption) {
    auto* box = new TIBCheckBox(caption, panel);
    box->setObjectName(name);
    box->setLayoutDirection(Qt::RightToLeft); // caption before the box
    grid->addWidget(box, line, column, 1, 2);
    column += 2;
    return box;
  };
  eBrigadaOslobodeny = check(QStringLiteral("eBrigadaOslobodeny"), QStringLiteral("Iba oslobodených od brigády:"));
  eSkolenieUskutocnene = check(QStringLiteral("eSkolenieUskutocnene"), QStringLiteral("Iba členov bez školenia:"));
  eIbaClenov = check(QStringLiteral("eIbaClenov"), QStringLiteral("Zobraz: iba členov ZO:"));
  line = 2;
  column = 0;
  eDatumNarodeniaOd = new TIBDate(panel);
  eDatumNarodeniaOd->setObjectName(QStringLiteral("eDatumNarodeniaOd"));
  eDatumNarodeniaOd->setMinimumWidth(110);
  place(QStringLiteral("Narodení od:"), eDatumNarodeniaOd);
  eDatumNarodeniaDo = new TIBDate(panel);
  eDatumNarodeniaDo->setObjectName(QStringLiteral("eDatumNarodeniaDo"));
  eDatumNarodeniaDo->setMinimumWidth(110);
  place(QStringLiteral("do:"), eDatumNarodeniaDo);
}

void TfrmCClenov::FormCreate() {
  list.Table = QStringLiteral("c_clenov");
  list.Select = [this](TListQuery& q) { SelectMembers(q, list.Rok); };
  list.Filter = [this](TListQuery& q) { AddFilter(q); };
  list.CreateDialog = [this] { return std::make_unique<TfrmCClenovPridaj>(this); };
  list.Print = [this] { btnTlacClick(); };
  list.Info = [this] { btnInfoClick(); };
  list.Save = [this] { btnSaveClick(); };
  list.btnSave->SetHint(QStringLiteral("Exportovanie evidovaných členov do súboru Excel"));

  AddListColumns(*list.gr1, {{"PRIEZVISKO", "Priezvisko", 122, "a.priezvisko"},
                             {"MENO", "Meno", 83, "a.meno"},
                             {"TITUL", "Titul", 42, "a.titul"},
                             {"ADRESA", "Adresa", 175, "A.ADRESA"},
                             {"DATUM_NARODENIA", "Dátum nar.", 62, "a.datum_narodenia", true},
                             {"CISLO_LEGITIMACIE", "Číslo leg.", 67, "a.CISLO_LEGITIMACIE"},
                             {"VSTUP_JUX", "v JUX od", 51, "a.VSTUP_JUX", true},
                             {"SKOLENIE_USKUTOCNENE", "Skúšky", 48, "b.text", true},
                             {"CLEN", "Člen", 45, "2", true}});
  list.FormCreate(QStringLiteral("Číselník členov"), QSize(745, 392));
}

void TfrmCClenov::AddFilter(TListQuery& q) {
  const auto keyed = [&q](const TIBComboBox* combo, const QString& param, const QStringList& lines) {
    QVariant key = combo->GetKeyValue();
    // The town and occupation combos are their own keys: the text stands for itself.
    if ((!key.isValid() || key.isNull()) && combo->SKeyField() == combo->SAppendFromField() && !combo->IsTextEmpty())
      key = combo->currentText().trimmed();
    if (!key.isValid() || key.isNull()) return;
    q.Where(lines.join(QLatin1Char('\n')));
    q.Params.insert(param, key);
  };
  keyed(eDBMesto, QStringLiteral("MESTO"), {QStringLiteral("a.mesto=:MESTO")});
  keyed(eDBPovolanie, QStringLiteral("POVOLANIE"), {QStringLiteral("a.Povolanie=:POVOLANIE")});
  keyed(eDBSkupina, QStringLiteral("SKUPINA"),
        {QStringLiteral("(a.Skupina_1=:SKUPINA or a.Skupina_2=:SKUPINA or"),
         QStringLiteral("a.Skupina_3=:SKUPINA or a.Skupina_4=:SKUPINA or"), QStringLiteral("a.Skupina_5=:SKUPINA)")});
  if (eBrigadaOslobodeny->isChecked()) q.Where(QStringLiteral("a.BRIGADA_VYZADOVAT=0"));
  if (eSkolenieUskutocnene->isChecked()) q.Where(QStringLiteral("a.SKOLENIE_USKUTOCNENE=0"));
  if (eIbaClenov->isChecked()) q.Where(QStringLiteral("c.uhradene=1"));

  QVariant od = eDatumNarodeniaOd->Date(), po = eDatumNarodeniaDo->Date();
  const bool hasOd = od.isValid() && !od.isNull(), hasDo = po.isValid() && !po.isNull();
  if (hasOd && hasDo) {
    if (od.toDouble() > po.toDouble()) std::swap(od, po);
    q.Where(QStringLiteral("a.datum_narodenia between :OD and :DO"));
  } else if (hasOd) {
    q.Where(QStringLiteral("a.datum_narodenia>=:OD"));
  } else if (hasDo) {
    q.Where(QStringLiteral("a.datum_narodenia<=:DO"));
  }
  if (hasOd) q.Params.insert(QStringLiteral("OD"), DateTime::ToDate(od.toDouble()));
  if (hasDo) q.Params.insert(QStringLiteral("DO"), DateTime::ToDate(po.toDouble()));
}

void TfrmCClenov::btnTlacClick() {
  TfrmCClenovTlac dialog(this, list);
  dialog.ShowModal();
}

void TfrmCClenov::btnInfoClick() {
  TMemberCounts counts;
  const bool counted = RunUnitOfWork(
                           *list.ibt1, [&] { counts = CountMembers(*ibs, list.Rok); }, TWorkEnd::KeepOpen)
                           .Done;
  if (!counted) return;
  const QString crlf2 = QStringLiteral("\r\n\r\n");
  MessageDlg(FormatIntegers(QStringLiteral("Celkový počet v evidencii: %d"), {counts.All}) + crlf2 +
                 FormatIntegers(QStringLiteral("Z toho členov: %d"), {counts.Members}) + crlf2 +
                 FormatIntegers(QStringLiteral("Z toho nečlenov: %d"), {counts.All - counts.Members}),
             TMsgDlgType::Information, mbOK);
}

void TfrmCClenov::btnSaveClick() {
  const QString fileName = AskExportFileName ? AskExportFileName() : QString();
  if (fileName.isEmpty()) return;
  TIBQuery query;
  TIBTransaction transaction(MainDatabase(), TIBTransactionKind::ReadCommitted);
  query.SetDatabase(MainDatabase());
  query.SetTransaction(&transaction);
  ShowWaitForm();
  bool waiting = true;
  const auto endWait = [&waiting] {
    if (waiting) HideWaitForm();
    waiting = false;
  };
  const auto stopWaiting = qScopeGuard(endWait);
  {
    TSqlWaitCursor cursor;
    TempSpracujStoreGrid(*list.gr1, kExportTag, true);
  }
  const bool read = RunUnitOfWork(transaction, [&] {
                      // An error shows its message after the wait window has gone.
                      const auto stopWaitingFirst = qScopeGuard(endWait);
                      TSqlWaitCursor cursor;
                      query.SetSQL(ChosenMembersSql());
                      query.ParamByName(QStringLiteral("ZARADENIE")).SetValue(kExportTag);
                      QApplication::processEvents();
                      query.Open();
                    }).Done;
  endWait();
  if (!read) return;
  if (query.IsEmpty()) {
    ShowNoDataToPrint();
    return;
  }
  ExportToExcel(query, fileName);
}

void TfrmCClenov::ExportToExcel(TIBQuery& query, const QString& fileName) {
  TSylkWriter writer(fileName, TSylkWriter::DesktopEncoding());
  writer.SetFont(7, 10, TSylkWriter::fsBold);
  writer.SetAlignment(TSylkWriter::taCenter);
  const QString groupNote = QStringLiteral("Do ktorej skupiny je osoba zadelená");
  for (int col = 1; col <= kExportHeadings.size(); ++col) {
    QString note;
    if (col >= 14 && col <= 18)
      note = groupNote;
    else if (col == 25)
      note = QStringLiteral("obvodná organizácia");
    writer.WriteText(1, col, note, kExportHeadings.at(col - 1));
  }
  writer.SetFont(7, 10, 0);
  writer.SetAlignment(TSylkWriter::taGeneral);
  int row = 2;
  for (query.First(); !query.Eof(); query.Next(), ++row)
    for (int field = 0; field < query.FieldCount(); ++field)
      writer.WriteText(row, field + 1, QString(), query.FieldByNumber(field).AsString());
  // Assembles the file here so that a failure reaches the caller.
  writer.Close();
}
