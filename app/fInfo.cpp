#include "app/fInfo.h"
#include "app/AppContext.h"
#include "app/AppData.h"
#include "app/QPLUnit.h"
#include "app/SysInfo.h"
#include "app/UnitOfWork.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "db/IBDatabase.h"
#include "db/IBDatabaseInfo.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "util/RtShell.h"
#include <QtCore/QFileInfo>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

namespace {

// One "caption: value" row of a group; the value label gets the name.
QLabel* AddRow(QFormLayout* group, const char* caption, const char* name) {
  auto* value = new QLabel;
  value->setObjectName(QLatin1String(name));
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long value (the system, a folder) wraps onto a second line rather than being cut.
  value->setWordWrap(true);
  value->setMinimumWidth(420);
  group->addRow(new QLabel(QString::fromUtf8(caption)), value);
  return value;
}

QFormLayout* AddGroup(QVBoxLayout* layout, QWidget* parent, const char* title) {
  auto* box = new QGroupBox(QString::fromUtf8(title), parent);
  auto* form = new QFormLayout(box);
  form->setLabelAlignment(Qt::AlignRight);
  layout->addWidget(box);
  return form;
}

} // namespace

const QString TfrmInfo::ProductShortName = QStringLiteral("Vimek");
const QString TfrmInfo::ProductLongName = QStringLiteral("evidencia miestnej organizácie rybárskeho zväzu");

bool CreateDesktopShortcut(const QString& description, const QString& name) {
  TShellLink link;
  link.Target = ProgramFilePath();
  link.WorkingDirectory = QFileInfo(ProgramFilePath()).absolutePath();
  link.Description = description;
  return CreateShellLinkInFolder(link, 0, name + QStringLiteral(".lnk")) == kShellOk;
}

QString DatabaseSizeText(qint64 bytes) {
  return QStringLiteral("%1 B (%2 MB)").arg(bytes).arg(RoundedMegabytes(bytes));
}

TfrmInfo::TfrmInfo(QWidget* owner, TIBDatabase* database)
    : TForm(owner), database_(database ? database : MainDatabase()) {
  setObjectName(QStringLiteral("frmInfo"));
  SetCaption(QStringLiteral("Informácie o systéme..."));
  SetKeyPreview(true);
  ibt1 = new TIBTransaction(database_, TIBTransactionKind::Snapshot, this);
  ib1 = new TIBQuery(this);
  ib1->SetDatabase(database_);
  ib1->SetTransaction(ibt1);
  fp = new TUxFormPlacement(this);
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);

  auto* layout = new QVBoxLayout(this);
  QFormLayout* pc = AddGroup(layout, this, "Informácie o počítači: ");
  lWindows = AddRow(pc, "Operačný systém:", "lWindows");
  lProcesor = AddRow(pc, "Procesor:", "lProcesor");
  lDisplay = AddRow(pc, "Rozlíšenie:", "lDisplay");
  lRAM = AddRow(pc, "Veľkosť RAM:", "lRAM");
  lPageFile = AddRow(pc, "Stránková pamäť:", "lPageFile");
  lNetwordName = AddRow(pc, "Názov PC v sieti:", "lNetwordName");
  lTempDir = AddRow(pc, "Adresár doč. súb.:", "lTempDir");
  QFormLayout* program = AddGroup(layout, this, " Informácie o programe: ");
  lProgramVersion = AddRow(program, "Verzia programu:", "lProgramVersion");
  lApp = AddRow(program, "Názov programu:", "lApp");
  lFileSize = AddRow(program, "Veľkosť súboru:", "lFileSize");
  lProgramDir = AddRow(program, "Adresár programu:", "lProgramDir");
  QFormLayout* db = AddGroup(layout, this, " Informácie o pripojení k databáze: ");
  lServerName = AddRow(db, "Názov servera:", "lServerName");
  lDatabaseName = AddRow(db, "Databáza:", "lDatabaseName");
  lODS = AddRow(db, "Verzia ODS:", "lODS");
  lServerVersion = AddRow(db, "Verzia servera:", "lServerVersion");
  lUsersCount = AddRow(db, "Počet pripojení:", "lUsersCount");
  lPageSize = AddRow(db, "Veľkosť stránky:", "lPageSize");
  lDatabaseSize = AddRow(db, "Veľkosť databázy:", "lDatabaseSize");
  lForcedWrites = AddRow(db, "Režim databázy:", "lForcedWrites");
  lSweep = AddRow(db, "Sweep interval:", "lSweep");
  lReserve = AddRow(db, "Rezervácia:", "lReserve");
  lCurrentMemory = AddRow(db, "Využitie pamäťe:", "lCurrentMemory");
  lRDBFormat = AddRow(db, "Max(RDB$FORMAT):", "lRDBFormat");

  btnDesktopIcon = new TQPLBtn(QStringLiteral("Vytvor ikonu programu na ploche"), this);
  btnDesktopIcon->setObjectName(QStringLiteral("btnDesktopIcon"));
  btnDesktopIcon->setFocusPolicy(Qt::ClickFocus);
  // The caption is painted bold: size the button for it.
  QFont bold = btnDesktopIcon->font();
  bold.setBold(true);
  btnDesktopIcon->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(btnDesktopIcon->text()) + 24);
  btnOk = new TQPLBtn(QStringLiteral("&OK"), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnDesktopIcon);
  buttons->addStretch();
  buttons->addWidget(btnOk);
  layout->addLayout(buttons);
  connect(btnOk, &QPushButton::clicked, this, &TfrmInfo::btnOkClick);
  connect(btnDesktopIcon, &QPushButton::clicked, this, &TfrmInfo::btnDesktopIconClick);
}

void TfrmInfo::FormShow() {
  FillLabels();
  btnOk->setFocus();
}

void TfrmInfo::FillLabels() {
  FillComputer();
  FillProgram();
  FillDatabase();
  for (QLabel* label : findChildren<QLabel*>())
    label->setToolTip(label->text());
}

void TfrmInfo::FillComputer() {
  const TOperatingSystem os = RunningOperatingSystem();
  lWindows->setText(QStringLiteral("%1 %2, Version: %3.%4, Build: %5, \"%6\"")
                        .arg(os.Name, os.Kind)
                        .arg(os.Major)
                        .arg(os.Minor)
                        .arg(os.Build, 0, 16)
                        .arg(os.Service));
  TCpuInfo cpu;
  GetCpuInfo(cpu);
  lProcesor->setText(
      QStringLiteral("%1, %2, %3 MHz %4%5")
          .arg(cpu.Manufacturer, cpu.Name)
          .arg(cpu.NormalisedMHz)
          .arg(cpu.Mmx ? QStringLiteral("MMX") : QString(), cpu.FdivOk ? QString() : QStringLiteral(" [FDIV Bug]")));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    lDisplay->setText(QStringLiteral("%1x%2 bodov, %3 bitov na bod")
                          .arg(screen->size().width())
                          .arg(screen->size().height())
                          .arg(screen->depth()));
  lRAM->setText(QStringLiteral("%1 MB").arg(RoundedMegabytes(TotalPhysicalMemory())));
  lPageFile->setText(QStringLiteral("%1 MB").arg(RoundedMegabytes(UsedPageFileBytes())));
  lNetwordName->setText(LocalComputerName());
  lTempDir->setText(TempFolderPath());
}

void TfrmInfo::FillProgram() {
  const QString program = ProgramFilePath();
  lProgramVersion->setText(GetFileVersion(program).Text + QStringLiteral(" (") +
                           QLocale().toString(DatumCas, QStringLiteral("d. MMMM yyyy - hh:mm:ss")) + QLatin1Char(')'));
  lApp->setText(ProductShortName + QStringLiteral(" - ") + ProductLongName);
  lFileSize->setText(QStringLiteral("%1 B").arg(QFileInfo(program).size()));
  lProgramDir->setText(QFileInfo(program).absolutePath());
}

QList<QLabel*> TfrmInfo::DatabaseValueLabels() const {
  return {lServerName,   lDatabaseName, lODS,   lServerVersion, lUsersCount,    lPageSize,
          lDatabaseSize, lForcedWrites, lSweep, lReserve,       lCurrentMemory, lRDBFormat};
}

void TfrmInfo::FillDatabase() {
  if (!database_ || !database_->Connected()) {
    for (QLabel* label : DatabaseValueLabels())
      label->setText(QStringLiteral("?"));
    lDatabaseName->setText(QStringLiteral("systém nie je prihlásený k databáze"));
    lDatabaseName->setStyleSheet(QStringLiteral("color: red"));
    return;
  }
  const TIBDatabaseInfo info(*database_);
  lServerName->setText(info.DbSiteName());
  lDatabaseName->setText(info.DbFileName());
  lODS->setText(QStringLiteral("%1.%2").arg(info.OdsVersion()).arg(info.OdsMinorVersion()));
  lServerVersion->setText(info.Version());
  lUsersCount->setText(QString::number(info.UserNames().size()));
  lPageSize->setText(QStringLiteral("%1 B").arg(info.PageSize()));
  lDatabaseSize->setText(DatabaseSizeText(info.DatabaseSize()));
  lForcedWrites->setText(info.ForcedWrites() ? QStringLiteral("synchrónny (zakázané cachované čítanie a zápis)")
                                             : QStringLiteral("asynchrónny (povolené cachované čítanie a zápis)"));
  lSweep->setText(QStringLiteral("%1 transakcií").arg(info.SweepInterval()));
  lReserve->setText(info.NoReserve() ? QStringLiteral("Nie") : QStringLiteral("Áno"));
  lCurrentMemory->setText(QStringLiteral("%1 B").arg(info.CurrentMemory()));
  // A failure is rolled back and goes on to the unhandled-error dialog.
  TUnitOfWork unit(*ibt1);
  ib1->Close();
  lRDBFormat->setText(QString::number(AppData::HighestTableFormat(*ib1)));
  unit.Commit();
}

void TfrmInfo::btnOkClick() { SetModalResult(mrOk); }

void TfrmInfo::btnDesktopIconClick() {
  if (CreateDesktopShortcut(ProductShortName, ProductShortName))
    MessageDlg(QStringLiteral("Zástupca na ploche bol úspešne vytvorený."), TMsgDlgType::Information, mbOK);
  else
    MessageDlg(QStringLiteral("Chyba pri vytváraní zástupcu na ploche."), TMsgDlgType::Error, mbOK);
}

bool TfrmInfo::FormKeyDown(QKeyEvent* event) {
  return SaveCancelKeyDown(event, [this] { SetModalResult(mrCancel); });
}
