#include "registers/members/fSImport.h"
#include "app/AppContext.h"
#include "app/FormRegistry.h"
#include "app/MyUnitsForms.h"
#include "app/UnitOfWork.h"
#include "controls/IBCheckBox.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "dbase/xbtable.h"
#include "platform/MessageDialogs.h"
#include "registers/common/XbOemTranslation.h"
#include "registers/members/MemberRows.h"
#include "util/RtStrUtils.h"
#include "util/UxStrUtils.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QFontDatabase>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace {

// The fields each source layout reads.
const char* const kClezkFields[] = {"MENO",    "ULICA",    "MESTO",   "PSC",      "DAT_NAR", "CLCIS", "CLEN_OD_R",
                                    "BRIGPOV", "PROFESIA", "TELEFON", "POZNAMKA", "STRYL",   "OBVOD"};
const char* const kClenFields[] = {"TITUL",  "MENO",  "PRIEZ", "ULICA", "MESTO", "PSC", "RODCIS",
                                   "CISLEG", "VSTUP", "SKOL",  "SDAT",  "OSLOB", "ZAR", "ZAM",
                                   "CT1",    "CT2",   "CT3",   "POZ",   "COP"};

// The current record of the source, read field by field; a value that cannot
// be read names its field.
class TSourceRecord {
public:
  explicit TSourceRecord(TXbTable& table) : table_(table) {}

  QString Text(const char* name) const {
    return Read(name, [](const TField& f) { return f.AsString(); });
  }
  int Integer(const char* name) const {
    return Read(name, [](const TField& f) { return f.AsInteger(); });
  }
  bool Flag(const char* name) const {
    return Read(name, [](const TField& f) { return f.AsBoolean(); });
  }
  // A date, or Null for an empty or impossible one.
  QVariant Date(const char* name) const {
    return Read(name, [](const TField& f) {
      if (f.IsNull()) return QVariant();
      QDate date;
      try {
        date = DateTime::ToDate(f.AsDateTime());
      } catch (const EDataSetError&) {
        return QVariant(); // a text that is no date
      }
      return date.isValid() && date > QDate(1899, 12, 30) ? QVariant(date) : QVariant();
    });
  }

private:
  template <class Reader>
  auto Read(const char* name, Reader read) const -> decltype(read(std::declval<const TField&>())) {
    const TField& field = table_.FieldByName(QLatin1String(name));
    try {
      return read(field);
    } catch (const EDataSetError& e) {
      throw EDataSetError(QStringLiteral("Pole %1: %2").arg(QLatin1String(name), e.Message()));
    }
  }

  TXbTable& table_;
};

// "text" + CR LF + "addition" when the addition is not blank.
QString WithLine(const QString& text, const QString& addition) {
  return addition.trimmed().isEmpty() ? text : text + QStringLiteral("\r\n") + addition.trimmed();
}

QString AskImportFileName(QWidget* owner, const QString& current) {
  QFileDialog dialog(owner, QStringLiteral("Zvoľte databázový súbor k importu..."));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("dbf"));
  dialog.setNameFilters({QStringLiteral("databázy členov (Cle*.dbf)"), QStringLiteral("databázový súbor DBF (*.dbf)"),
                         QStringLiteral("všetky súbory (*)")});
  const QFileInfo info(current);
  dialog.setDirectory(!current.isEmpty() && info.absoluteDir().exists() ? info.absolutePath() : QDir::homePath());
  dialog.selectFile(current.isEmpty() ? QStringLiteral("Cle*.dbf") : info.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

} // namespace

std::function<QString(QWidget*, const QString&)> TfrmSImport::AskFileName = AskImportFileName;

TfrmSImport::TfrmSImport(QWidget* owner, TIBDatabase* database)
    : TForm(owner), database_(database ? database : MainDatabase()) {
  setObjectName(QStringLiteral("frmSImport"));
  SetCaption(QStringLiteral("Importovanie členskej základne z iných programov"));
  SetKeyPreview(true);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  ibt1 = new TIBTransaction(database_, TIBTransactionKind::ReadCommitted, this);
  ibt1->setObjectName(QStringLiteral("ibt1"));
  ib1 = new TIBQuery(this);
  ib1->setObjectName(QStringLiteral("ib1"));
  ib1->SetDatabase(database_);
  ib1->SetTransaction(ibt1);
  fp = new TUxFormPlacement(this);
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);

  rgpSoftware = new QGroupBox(QStringLiteral(" Importovať z programu: "), this);
  rgpSoftware->setObjectName(QStringLiteral("rgpSoftware"));
  rbClezk = new QRadioButton(QStringLiteral("členská databáza Clezk<číslo ZO>.dbf (napr. Clezk425.dbf)"), rgpSoftware);
  rbClen = new QRadioButton(QStringLiteral("členská databáza Clen.dbf"), rgpSoftware);
  rbClezk->setChecked(true);
  auto* radios = new QVBoxLayout(rgpSoftware);
  radios->addWidget(rbClezk);
  radios->addWidget(rbClen);

  eDBFile = new TIBEdit(this);
  eDBFile->setObjectName(QStringLiteral("eDBFile"));
  eDBFile->SetRequired(true);
  eDBFile->SetButtonVisible(true);
  eDBFile->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  eDBFile->setMinimumWidth(420);
  connect(eDBFile, &TIBEdit::OnButtonClick, this, &TfrmSImport::eDBFileButtonClick);

  eVymazatClenov =
      new TIBCheckBox(QStringLiteral("Pred importom vymazať číselník členov? (POUŽÍVAŤ OBZLÁŠŤ OPATRNE)"), this);
  eVymazatClenov->setObjectName(QStringLiteral("eVymazatClenov"));
  QFont bold = eVymazatClenov->font();
  bold.setBold(true);
  eVymazatClenov->setFont(bold);
  eVymazatClenov->setStyleSheet(QStringLiteral("color: red"));

  auto* progress = new QGroupBox(QStringLiteral(" Priebeh importovania: "), this);
  lbProgress = new QListWidget(progress);
  lbProgress->setObjectName(QStringLiteral("lbProgress"));
  lbProgress->setFocusPolicy(Qt::NoFocus);
  lbProgress->setMinimumHeight(200);
  auto* progressLayout = new QVBoxLayout(progress);
  progressLayout->addWidget(lbProgress);

  btnZapis = new TQPLBtn(QStringLiteral(" &OK"), this);
  btnZapis->setObjectName(QStringLiteral("btnZapis"));
  btnZapis->SetImages(ImageList16());
  btnZapis->SetImageIndex(1);
  btnNezapis = new TQPLBtn(QStringLiteral("&Nevykonaj"), this);
  btnNezapis->setObjectName(QStringLiteral("btnNezapis"));
  btnNezapis->SetImages(ImageList16());
  btnNezapis->SetImageIndex(2);
  btnNezapis->SetCancel(true);
  connect(btnZapis, &QPushButton::clicked, this, &TfrmSImport::btnZapisClick);
  connect(btnNezapis, &QPushButton::clicked, this, &TfrmSImport::btnNezapisClick);

  auto* file = new QFormLayout;
  file->addRow(QStringLiteral("Databázový súbor:"), eDBFile);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnZapis);
  buttons->addWidget(btnNezapis);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(rgpSoftware);
  layout->addLayout(file);
  layout->addWidget(eVymazatClenov);
  layout->addWidget(progress, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize); // a fixed border, as the dialog was designed
  setTabOrder(rbClezk, rbClen);
  setTabOrder(rbClen, eDBFile);
  setTabOrder(eDBFile, eVymazatClenov);
  setTabOrder(eVymazatClenov, btnZapis);
  setTabOrder(btnZapis, btnNezapis);
}

int TfrmSImport::SoftwareIndex() const { return rbClen->isChecked() ? 1 : 0; }

void TfrmSImport::SetSoftwareIndex(int index) { (index == 1 ? rbClen : rbClezk)->setChecked(true); }

void TfrmSImport::FormShow() { (SoftwareIndex() == 1 ? rbClen : rbClezk)->setFocus(); }

bool TfrmSImport::FormKeyDown(QKeyEvent* event) {
  return SaveCancelKeyDown(
      event, [this] { SetModalResult(mrCancel); }, [this] { btnZapisClick(); });
}

void TfrmSImport::eDBFileButtonClick() {
  const QString chosen = AskFileName(this, eDBFile->text());
  if (!chosen.isEmpty()) eDBFile->setText(QDir::toNativeSeparators(chosen));
}

void TfrmSImport::Log(const QString& text) {
  lbProgress->addItem(text);
  lbProgress->setCurrentRow(lbProgress->count() - 1);
  lbProgress->repaint();
}

void TfrmSImport::SetControlsEnabled(bool on) {
  setEnabled(on);
  btnZapis->setEnabled(on);
  btnNezapis->setEnabled(on);
}

void TfrmSImport::btnZapisClick() {
  if (CheckRequiredInputs(*this)) return;
  const QString path = eDBFile->text().trimmed();
  if (!QFileInfo(path).isFile()) {
    MessageDlg(QStringLiteral("Importovaný súbor sa v zadanej ceste nenachádza. Import nebude vykonaný."),
               TMsgDlgType::Warning, mbOK);
    return;
  }
  SetControlsEnabled(false);
  lbProgress->clear();
  QCoreApplication::processEvents();
  struct TEnableAgain {
    TfrmSImport* form;
    ~TEnableAgain() { form->SetControlsEnabled(true); }
  } enableAgain{this};

  TXbTable source(this);
  source.setObjectName(QStringLiteral("Xb"));
  if (!OpenSource(source, path)) return;
  const bool emptying = eVymazatClenov->isChecked();
  const qint64 keysBefore = emptying ? database_->GeneratorValue(MemberKeyGenerator()) : 0;
  TWorkOutcome outcome;
  try {
    outcome = RunUnitOfWork(*ibt1, [&] {
      if (emptying) {
        // After a failure the keys are put right below (RestoreMemberKeys)
        // whether or not the rollback took the generator back.
        DeleteAllMembers(*ib1);
      }
      ImportRecords(source);
    });
  } catch (const EDataSetError& e) {
    if (emptying) RestoreMemberKeys(keysBefore);
    MessageDlg(QStringLiteral("Import zo súboru %1 sa nepodaril a nič nebolo zmenené.\n%2").arg(path, e.Message()),
               TMsgDlgType::Error, mbOK);
    return;
  } catch (...) {
    if (emptying) RestoreMemberKeys(keysBefore);
    throw;
  }
  if (outcome)
    MessageDlg(QStringLiteral("OK. Importovanie úspešne dokončené."), TMsgDlgType::Information, mbOK);
  else if (emptying)
    RestoreMemberKeys(keysBefore);
  SetModalResult(mrOk);
}

bool TfrmSImport::OpenSource(TXbTable& source, const QString& path) {
  const QFileInfo file(path);
  source.DateTimeHandling = TDateTimeHandling::dtDateTime;
  source.SetFilePath(file.absolutePath());
  source.SetTableName(file.fileName());
  source.ReadOnly = true;
  source.SetTableLevel(3);
  source.UseFloatFields = true;
  source.SetLanguageId(155);
  source.OnTranslate = XbTranslate;
  QString problem;
  try {
    source.Open();
    const auto& names = SoftwareIndex() == 0 ? QList<const char*>(std::begin(kClezkFields), std::end(kClezkFields))
                                             : QList<const char*>(std::begin(kClenFields), std::end(kClenFields));
    for (const char* name : names)
      if (!source.FindField(QLatin1String(name))) {
        problem = QStringLiteral("Súbor %1 nemá pole %2, ktoré import z tejto členskej databázy potrebuje.")
                      .arg(path, QLatin1String(name));
        break;
      }
  } catch (const EXbAbort&) {
    problem = QStringLiteral("Súbor %1 nie je tabuľka dBASE, ktorú možno čítať: jeho hlavička neudáva dĺžku "
                             "hlavičky a záznamu.")
                  .arg(path);
  } catch (const Exception& e) {
    problem = QStringLiteral("Súbor %1 nemožno čítať ako tabuľku dBASE.\n%2").arg(path, e.Message());
  }
  if (problem.isEmpty()) return true;
  MessageDlg(problem + QStringLiteral("\nImport nebude vykonaný."), TMsgDlgType::Error, mbOK);
  return false;
}

void TfrmSImport::ImportRecords(TXbTable& source) {
  for (source.First(); !source.Eof(); source.Next()) {
    try {
      SoftwareIndex() == 0 ? ImportZelvar(source) : ImportKlemoro(source);
    } catch (const EDataSetError& e) {
      throw EDataSetError(QStringLiteral("Záznam č. %1: %2").arg(source.RecNo()).arg(e.Message()));
    }
    if (source.RecNo() % 20 == 0) QCoreApplication::processEvents();
  }
}

void TfrmSImport::ImportZelvar(TXbTable& source) {
  const TSourceRecord record(source);
  const QString name = record.Text("MENO");
  Log(QStringLiteral("Pridávam záznam č. %1 --- %2").arg(source.RecNo()).arg(name));
  const TCharSet blank(QStringLiteral(" "));
  QString surname = WordByIndex(1, name, blank).trimmed();
  if (ProgramSettings.PRIEZVISKA_VELKYMI) surname = surname.toUpper();
  const int joined = record.Integer("CLEN_OD_R");
  const QVariantMap values{
      {QStringLiteral("TITUL"), WordByIndex(3, name, blank).trimmed()},
      {QStringLiteral("MENO"), WordByIndex(2, name, blank).trimmed()},
      {QStringLiteral("PRIEZVISKO"), surname},
      {QStringLiteral("ULICA"), record.Text("ULICA").left(25)},
      {QStringLiteral("MESTO"), record.Text("MESTO").left(25)},
      {QStringLiteral("PSC"), RemoveCharsOfSet(record.Text("PSC"), u" ").left(5)},
      {QStringLiteral("DATUM_NARODENIA"), record.Date("DAT_NAR")},
      {QStringLiteral("CISLO_LEGITIMACIE"), record.Text("CLCIS").trimmed().left(15)},
      {QStringLiteral("VSTUP_JUX"), joined},
      {QStringLiteral("VSTUP_ZO"), joined},
      {QStringLiteral("SKOLENIE_USKUTOCNENE"), 0},
      {QStringLiteral("SKOLENIE_DATUM"), QVariant()},
      {QStringLiteral("BRIGADA_VYZADOVAT"), record.Flag("BRIGPOV") ? 1 : 0},
      {QStringLiteral("PRACOVNE_ZARADENIE"), QVariant()},
      {QStringLiteral("POVOLANIE"), record.Text("PROFESIA").left(25)},
      {QStringLiteral("TELEFON"), record.Text("TELEFON").left(25)},
      {QStringLiteral("POZNAMKA"), WithLine(record.Text("POZNAMKA"), record.Text("STRYL"))},
      {QStringLiteral("CLEN_OBO"), record.Integer("OBVOD")},
  };
  InsertMember(*ib1, values);
}

void TfrmSImport::ImportKlemoro(TXbTable& source) {
  const TSourceRecord record(source);
  const QString title = record.Text("TITUL"), firstName = record.Text("MENO"), surnameText = record.Text("PRIEZ");
  Log(QStringLiteral("Pridávam záznam č. %1 --- %2")
          .arg(source.RecNo())
          .arg(QStringList{title, firstName, surnameText}.join(QLatin1Char(' ')).trimmed()));
  QString surname = surnameText.left(25);
  if (ProgramSettings.PRIEZVISKA_VELKYMI) surname = surname.toUpper();
  QString phone;
  if (!record.Text("CT1").trimmed().isEmpty()) phone = QString(record.Text("CT1") + QLatin1Char('/')).left(25);
  if (const int extension = record.Integer("CT2"); extension != 0)
    phone = QString(phone + QString::number(extension)).left(25);
  QString note = record.Text("POZ");
  note = WithLine(note, record.Text("COP").trimmed().isEmpty() ? QString()
                                                               : QStringLiteral("Číslo OP: ") + record.Text("COP"));
  note = WithLine(note, record.Text("CT3").trimmed().isEmpty() ? QString()
                                                               : QStringLiteral("telefón: ") + record.Text("CT3"));
  const bool trained = !record.Text("SKOL").isEmpty();
  const QDate born = RodneCisloToDate(record.Text("RODCIS"));
  const int joined = record.Integer("VSTUP");
  const QVariantMap values{
      {QStringLiteral("TITUL"), title.left(15)},
      {QStringLiteral("MENO"), firstName.left(25)},
      {QStringLiteral("PRIEZVISKO"), surname},
      {QStringLiteral("ULICA"), record.Text("ULICA").left(25)},
      {QStringLiteral("MESTO"), record.Text("MESTO").left(25)},
      {QStringLiteral("PSC"), RemoveCharsOfSet(record.Text("PSC"), u" ").left(5)},
      {QStringLiteral("DATUM_NARODENIA"), born.isValid() ? QVariant(born) : QVariant()},
      {QStringLiteral("CISLO_LEGITIMACIE"), record.Text("CISLEG").trimmed().left(15)},
      {QStringLiteral("VSTUP_JUX"), joined},
      {QStringLiteral("VSTUP_ZO"), joined},
      {QStringLiteral("SKOLENIE_USKUTOCNENE"), trained ? 1 : 0},
      {QStringLiteral("SKOLENIE_DATUM"), trained ? record.Date("SDAT") : QVariant()},
      {QStringLiteral("BRIGADA_VYZADOVAT"), record.Text("OSLOB").isEmpty() ? 1 : 0},
      {QStringLiteral("PRACOVNE_ZARADENIE"), record.Text("ZAR").left(25)},
      {QStringLiteral("POVOLANIE"), record.Text("ZAM").left(25)},
      {QStringLiteral("TELEFON"), phone},
      {QStringLiteral("POZNAMKA"), note},
      {QStringLiteral("CLEN_OBO"), 0},
  };
  InsertMember(*ib1, values);
}

QDate TfrmSImport::RodneCisloToDate(const QString& number, int currentYear) {
  const QString digits = RemoveCharsOfSet(number.trimmed(), u"/ ");
  auto allDigits = [](QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  };
  if (digits.size() < 6 || !allDigits(QStringView(digits).left(6))) return {};
  int year = digits.mid(0, 2).toInt();
  int month = digits.mid(2, 2).toInt();
  const int day = digits.mid(4, 2).toInt();
  const QStringView rest = QStringView(digits).mid(6);
  const bool suffix = !rest.isEmpty() && allDigits(rest);
  if (suffix && digits.size() == 10)
    year += year < 54 ? 2000 : 1900;
  else if (suffix && digits.size() == 9)
    year += 1900;
  else
    year += year <= currentYear % 100 ? 2000 : 1900;
  for (const int offset : {70, 50, 20})
    if (month > offset) {
      month -= offset;
      break;
    }
  return QDate(year, month, day); // invalid for a day or month that does not exist
}

void TfrmSImport::RestoreMemberKeys(qint64 before) {
  TIBTransaction transaction(database_, TIBTransactionKind::ReadOnlyReadCommitted);
  transaction.StartTransaction();
  TIBQuery highest;
  highest.SetDatabase(database_);
  highest.SetTransaction(&transaction);
  const qint64 wanted = std::max(before, HighestMemberKey(highest));
  transaction.Commit();
  database_->GeneratorValue(MemberKeyGenerator(), wanted - database_->GeneratorValue(MemberKeyGenerator()));
}

void RegisterMemberImport() { FormRegistry::RegisterOwnedForm<TfrmSImport>(QStringLiteral("TfrmSImport")); }
