#include "registers/permits/uPUlovkySumarizaciaExport.h"
#include "app/AppContext.h"
#include "app/UnitOfWork.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "dbase/xbtable.h"
#include "platform/MessageDialogs.h"
#include "registers/common/XbOemTranslation.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>
#include <QtWidgets/QFileDialog>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

QString Lines(std::initializer_list<const char*> lines) {
  QStringList text;
  for (const char* line : lines)
    text << QString::fromUtf8(line);
  return text.join(QLatin1Char('\n'));
}

QString AskExportFileName(QWidget* owner, const QString& proposed) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  dialog.selectFile(proposed);
  dialog.setDefaultSuffix(QStringLiteral("dbf"));
  dialog.setNameFilter(QStringLiteral("*.dbf"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

// A name in the target's folder that no file has, for writing the new file
// before it replaces the target.
QString UnusedTemporaryName(const QFileInfo& target) {
  const QDir folder = target.absoluteDir();
  for (int n = 1;; ++n) {
    const QString name =
        QStringLiteral(".%1.%2-%3.dbf").arg(target.completeBaseName()).arg(QCoreApplication::applicationPid()).arg(n);
    if (!folder.exists(name)) return folder.filePath(name);
  }
}

} // namespace

std::function<QString(QWidget*, const QString&)> TExportSumarizacieUlovkov::AskFileName = AskExportFileName;

TExportSumarizacieUlovkov::TExportSumarizacieUlovkov(QWidget* owner, TIBDatabase* database)
    : owner_(owner), year_(ProgramSettings.Rok) {
  TIBDatabase* connection = database ? database : MainDatabase();
  ibt1 = new TIBTransaction(connection, TIBTransactionKind::ReadCommitted, this);
  ibt1->setObjectName(QStringLiteral("ibt1"));
  ib1 = new TIBQuery(this);
  ib1->setObjectName(QStringLiteral("ib1"));
  ib1->SetDatabase(connection);
  ib1->SetTransaction(ibt1);
  dbf = new TXbTable(this);
  dbf->setObjectName(QStringLiteral("dbf"));
  dbf->DateTimeHandling = TDateTimeHandling::dtDateTime;
  dbf->ReadOnly = true;
  dbf->SetTableLevel(3);
  dbf->UseFloatFields = true;
  dbf->SetLanguageId(155);
  // The council reads the file in code page 852.
  dbf->OnTranslate = XbTranslate;
}

// The table first: it must be closed before its owner goes.
TExportSumarizacieUlovkov::~TExportSumarizacieUlovkov() { delete dbf; }

QString TExportSumarizacieUlovkov::ProposedFileName(int year, int organisationNumber) {
  return QStringLiteral("UL%1%2.dbf")
      .arg(year % 10, 2, 10, QLatin1Char('0'))
      .arg(organisationNumber, 3, 10, QLatin1Char('0'));
}

TExportResult TExportSumarizacieUlovkov::Exportuj() {
  if (NacitajUdaje() && ZvolSubor() && ZapisSubor()) return {TExportOutcome::Written, {}};
  return result_;
}

bool TExportSumarizacieUlovkov::NacitajUdaje() {
  if (ProgramSettings.ZO_JEDIN.isNull()) {
    result_ = {TExportOutcome::Failed,
               QStringLiteral("Nie je nastavená vlastná základná organizácia. Zvoľte ju v Nastaveniach.")};
    return false;
  }
  // The query stays readable for ZapisSubor; the transaction ends with the object.
  const TWorkOutcome read = RunUnitOfWork(
      *ibt1,
      [this] {
        ReadOrganisation();
        WarnOfUnnumberedSpecies();
        OpenSummary();
      },
      TWorkEnd::KeepOpen);
  if (!read) {
    result_ = {TExportOutcome::Failed, {}}; // the error handler has shown the error
    return false;
  }
  if (ib1->IsEmpty()) {
    MessageDlg(QStringLiteral("Nie sú údaje pre export. Skontrolujte, ktorý rok spracovania máte zvolený."),
               TMsgDlgType::Information, mbOK);
    result_ = {TExportOutcome::NothingToExport, {}};
    return false;
  }
  return true;
}

void TExportSumarizacieUlovkov::ReadOrganisation() {
  ib1->Close();
  ib1->SetSQL(QStringLiteral("select cislo, nazov from c_zo where jedin =:JEDIN"));
  ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(ProgramSettings.ZO_JEDIN.toInt());
  ib1->Open();
  orgNumber_ = ib1->IsEmpty() ? 0 : ib1->FieldByNumber(0).AsInteger();
  orgName_ = ib1->IsEmpty() ? QString() : ib1->FieldByNumber(1).AsString();
}

void TExportSumarizacieUlovkov::WarnOfUnnumberedSpecies() {
  ib1->Close();
  ib1->SetSQL(Lines({"select first 1 a.jedin from e_ulovky a", "left join c_druhy_ryb b on a.c_druhy_ryb = b.jedin",
                     "where a.rok=:ROK and b.cislo = 0"}));
  ib1->ParamByName(QStringLiteral("ROK")).SetValue(year_);
  ib1->Open();
  if (!ib1->IsEmpty())
    MessageDlg(QStringLiteral("POZOR: V číselníku druhov rýb nie sú zadané všetky čísla rýb definované Radou JUX.\r\n"
                              "Pre správnosť exportu je nevyhnutné ich doplniť."),
               TMsgDlgType::Warning, mbOK);
}

void TExportSumarizacieUlovkov::OpenSummary() {
  ib1->Close();
  ib1->SetSQL(Lines({"select b.nazov as nrevir, b.cislo as revir, b.typ_vody as druh_rev,",
                     "c.cislo as cislo_ryby, c.nazov as nryba,", "d.cislo as org_revir, d.nazov as norg_revir,",
                     "sum(a.pocet) as ks,", "sum(a.vaha) as kg, sum(a.spolu) as sk", "from e_ulovky a",
                     "left join c_reviry_jux b on b.jedin=a.c_reviry_jux",
                     "left join c_druhy_ryb c on c.jedin=a.c_druhy_ryb", "left join c_zo d on d.jedin=b.c_zo",
                     "where a.rok = :ROK", "group by b.nazov, b.cislo, b.typ_vody, c.cislo, c.nazov, a.c_reviry_jux,",
                     "a.c_druhy_ryb, d.cislo,d.nazov"}));
  ib1->ParamByName(QStringLiteral("ROK")).SetValue(year_);
  ib1->Open();
}

bool TExportSumarizacieUlovkov::ZvolSubor() {
  const QString chosen = AskFileName(owner_, ProposedFileName(year_, orgNumber_));
  if (chosen.isEmpty()) {
    result_ = {TExportOutcome::Cancelled, {}};
    return false;
  }
  fileName_ = chosen;
  return true;
}

void TExportSumarizacieUlovkov::DefineFields() {
  auto text = [](const char* name, int size) { return TFieldDef{QLatin1String(name), TFieldType::String, size}; };
  auto type = [](const char* name, TFieldType dataType) { return TFieldDef{QLatin1String(name), dataType}; };
  dbf->FieldDefs = {type("ORG_CLEN", TFieldType::SmallInt),
                    text("NORG_CLENA", 25),
                    type("OBV_CLENA", TFieldType::SmallInt),
                    text("MENO_CLENA", 20),
                    type("NAR_CLENA", TFieldType::Date),
                    type("DRUH_REV", TFieldType::SmallInt),
                    text("REVIR", 10),
                    text("NREVIR", 40),
                    type("ORG_REVIR", TFieldType::SmallInt),
                    text("NORG_REVIR", 25),
                    type("CLEN_NECL", TFieldType::SmallInt),
                    type("RYBA", TFieldType::SmallInt),
                    text("NRYBA", 20),
                    type("KS", TFieldType::Float),
                    type("KG", TFieldType::Float),
                    type("SK", TFieldType::Float)};
}

void TExportSumarizacieUlovkov::AppendSummaryRows() {
  // Values go straight into the record by field number, without a value object each.
  auto field = [this](const char* name) { return dbf->FieldByName(QLatin1String(name)).Index(); };
  const int orgClen = field("ORG_CLEN"), norgClena = field("NORG_CLENA"), druhRev = field("DRUH_REV"),
            ryba = field("RYBA"), orgRevir = field("ORG_REVIR"), revir = field("REVIR"), nrevir = field("NREVIR"),
            nryba = field("NRYBA"), norgRevir = field("NORG_REVIR"), ks = field("KS"), kg = field("KG"),
            sk = field("SK");
  auto column = [this](const char* name) -> TField& { return ib1->FieldByName(QLatin1String(name)); };
  for (ib1->First(); !ib1->Eof(); ib1->Next()) {
    dbf->Append();
    dbf->SetFieldNumber(orgClen, orgNumber_);
    dbf->SetFieldText(norgClena, orgName_);
    dbf->SetFieldNumber(druhRev, column("DRUH_REV").AsInteger());
    dbf->SetFieldNumber(ryba, column("CISLO_RYBY").AsInteger());
    dbf->SetFieldNumber(orgRevir, column("ORG_REVIR").AsInteger());
    dbf->SetFieldText(revir, column("REVIR").AsString().left(10));
    dbf->SetFieldText(nrevir, column("NREVIR").AsString().left(40));
    dbf->SetFieldText(nryba, column("NRYBA").AsString().left(40));
    dbf->SetFieldText(norgRevir, column("NORG_REVIR").AsString().left(25));
    dbf->SetFieldNumber(ks, column("KS").AsFloat());
    dbf->SetFieldNumber(kg, column("KG").AsFloat());
    dbf->SetFieldNumber(sk, column("SK").AsFloat());
    try {
      dbf->Post();
    } catch (const Exception& e) {
      dbf->Cancel();
      throw EDataSetError(QStringLiteral("Riadok revíru „%1“ a ryby „%2“ nemožno zapísať: %3")
                              .arg(column("NREVIR").AsString(), column("NRYBA").AsString(), e.Message()));
    }
  }
}

bool TExportSumarizacieUlovkov::ZapisSubor() {
  const QFileInfo target(fileName_);
  const QString temporary = UnusedTemporaryName(target);
  try {
    DefineFields();
    dbf->SetFilePath(target.absolutePath());
    dbf->SetTableName(QFileInfo(temporary).fileName());
    dbf->CreateTable();
    dbf->Close();
    dbf->ReadOnly = false;
    // Nobody else knows the temporary file: it is written exclusively, in whole blocks.
    dbf->Exclusive = true;
    dbf->Open();
    AppendSummaryRows();
    dbf->Close(); // writes the header's date and the end-of-file byte
    // Replaces the target in one step, so no reader sees half a file.
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
      throw EDataSetError(QStringLiteral("Súbor nemožno uložiť pod menom %1: %2")
                              .arg(target.absoluteFilePath(), QString::fromLocal8Bit(std::strerror(errno))));
  } catch (const Exception& e) {
    try {
      dbf->Close();
    } catch (const Exception&) {
      // The file is given up anyway; the first error is the one to report.
    }
    QFile::remove(temporary);
    result_ = {TExportOutcome::Failed,
               QStringLiteral("Súbor %1 nebol zapísaný.\n%2").arg(target.absoluteFilePath(), e.Message())};
    return false;
  }
  return true;
}

void RegisterCatchSummaryExporter() {
  Exporters::Register(kCatchSummaryExporter, [](QWidget* owner) {
    TExportSumarizacieUlovkov exporter(owner);
    return exporter.Exportuj();
  });
}
