#include "app/fMain.h"
#include "app/AbandonedRows.h"
#include "app/AppContext.h"
#include "app/AppData.h"
#include "app/ExceptionHandler.h"
#include "app/FormRegistry.h"
#include "app/MainNavigation.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "app/SettingsFile.h"
#include "app/ToolImages.h"
#include "app/UnitOfWork.h"
#include "app/fInfo.h"
#include "app/fUpdate.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/QPLBtn.h"
#include "core/Exception.h"
#include "core/ui/ImageList.h"
#include "db/IBDatabase.h"
#include "db/IBError.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/MessageDialogs.h"
#include "platform/Shell.h"
#include "platform/base/ProgramResources.h"
#include "platform/base/ProgramVersion.h"
#include <QtCore/QDate>
#include <QtCore/QDir>
#include <QtCore/QScopeGuard>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>
#include <cmath>
#include <memory>

TfrmMain* frmMain = nullptr;

namespace {

// The maker's notice line: the main window's caption and, with " - Tarnavo",
// the application title.
// The program is named alike here and in the information window.
const QString kNotice = TfrmInfo::ProductShortName + QStringLiteral(" - ") + TfrmInfo::ProductLongName;
const QString& kProductName = TfrmInfo::ProductShortName;
const QString kWebAddress = QStringLiteral("https://www.vimek.sk");
const QString kSupportAddress = QStringLiteral("podpora@vimek.sk");

constexpr int kClientWidth = 521;
constexpr int kClientHeight = 464;
constexpr int kHeaderHeight = 60;
constexpr int kButtonWidth = 165;
constexpr int kButtonHeight = 41;
constexpr int kColumnLeft[] = {0, 168, 336};
constexpr int kRowTop[] = {4, 48, 92, 136, 180, 224, 268};

// A simple fish in the given colour, the picture of the main window's buttons.
QPixmap FishPicture(const QColor& color, int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(color.darker(160), 1.5));
  painter.setBrush(color);
  const qreal s = size / 32.0;
  painter.drawEllipse(QRectF(4 * s, 10 * s, 20 * s, 12 * s));
  QPainterPath tail;
  tail.moveTo(22 * s, 16 * s);
  tail.lineTo(30 * s, 9 * s);
  tail.lineTo(30 * s, 23 * s);
  tail.closeSubpath();
  painter.drawPath(tail);
  painter.setBrush(Qt::black);
  painter.drawEllipse(QRectF(8 * s, 14 * s, 2.5 * s, 2.5 * s));
  return picture;
}

// A round "i", the information window's picture.
QPixmap InfoPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0x1e, 0x5a, 0xc8));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRectF(2, 2, size - 4, size - 4));
  painter.setPen(Qt::white);
  QFont font(QStringLiteral("Serif"));
  font.setBold(true);
  font.setPixelSize(size * 2 / 3);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("i"));
  return picture;
}

QLabel* HotLink(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  label->setFont(font);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent, TMainStart start) : TForm(parent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette background = palette();
  background.setColor(QPalette::Window, QColor(0xC0, 0xDC, 0xC0));
  setPalette(background);
  SetKeyPreview(true);

  IBD = new TIBDatabase(this);
  IBDT = new TIBTransaction(IBD, TIBTransactionKind::Snapshot, this);
  ibs = new TIBQuery(this);
  ibs->SetDatabase(IBD);
  ibs->SetTransaction(IBDT);
  if (start == TMainStart::Connecting) BeginConnect();
  il16 = new TImageList(16, 16, this);
  il32 = new TImageList(32, 32, this);
  ilFishes = new TImageList(32, 32, this);
  ilFishes->Add(FishPicture(QColor(0x3c, 0x8c, 0xd2), 32));
  AddStandardToolImages(*il16, *il32);
  il32->Replace(12, InfoPicture(32)); // the information picture of the tool bars and of this window

  BuildHeader();
  BuildYearPanel();
  BuildPages();
  frmMain = this;
  SetMainDatabase(IBD);
  SetMainConnectionChecks([this] { IBDAfterConnect(); });
  SetImageLists(il16, il32);
}

TfrmMain::~TfrmMain() {
  if (frmMain == this) frmMain = nullptr;
  if (MainDatabase() == IBD) {
    SetMainDatabase(nullptr);
    SetMainConnectionChecks({});
  }
  if (ImageList16() == il16) SetImageLists(nullptr, nullptr);
}

void TfrmMain::BuildHeader() {
  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setGeometry(2, 2, 300, kHeaderHeight - 4);
  UxHotLinkApplicationName = HotLink(kProductName + QStringLiteral(" - verzia ") + ProgramVersion().Text(),
                                     QStringLiteral("UxHotLinkApplicationName"), panel);
  UxHotLinkApplicationName->setAlignment(Qt::AlignCenter);
  UxHotLinkApplicationName->setGeometry(4, 4, 292, 22);
  const QString linkStyle = QStringLiteral("color: blue;");
  UxHotLinkWeb = HotLink(kWebAddress, QStringLiteral("UxHotLinkWeb"), panel);
  UxHotLinkWeb->setStyleSheet(linkStyle);
  UxHotLinkWeb->setGeometry(6, 30, 150, 20);
  UxHotLinkeMail = HotLink(kSupportAddress, QStringLiteral("UxHotLinkeMail"), panel);
  UxHotLinkeMail->setStyleSheet(linkStyle);
  UxHotLinkeMail->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  UxHotLinkeMail->setGeometry(150, 30, 144, 20);
  for (QLabel* label : {UxHotLinkApplicationName, UxHotLinkWeb, UxHotLinkeMail})
    label->installEventFilter(this);
}

void TfrmMain::BuildYearPanel() {
  auto* pnlRok = new QFrame(this);
  pnlRok->setObjectName(QStringLiteral("pnlRok"));
  pnlRok->setFrameShape(QFrame::Panel);
  pnlRok->setFrameShadow(QFrame::Raised);
  pnlRok->setGeometry(306, 2, kClientWidth - 308, kHeaderHeight - 4);
  lblRok = new QLabel(QStringLiteral("Aktuálne spracovávaný &rok:"), pnlRok);
  lblRok->setObjectName(QStringLiteral("lblRok"));
  lblRok->setGeometry(6, 4, 200, 18);
  btnRokMinus = new QToolButton(pnlRok);
  btnRokMinus->setObjectName(QStringLiteral("btnRokMinus"));
  btnRokMinus->setText(QStringLiteral("-"));
  btnRokMinus->setGeometry(40, 26, 24, 24);
  eRok = new TIBCurrencyEdit(pnlRok);
  eRok->setObjectName(QStringLiteral("eRok"));
  eRok->setGeometry(68, 26, 64, 24);
  eRok->SetDecimals(0);
  eRok->SetMaxLength(4);
  eRok->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  courier.setPixelSize(13);
  eRok->setFont(courier);
  eRok->SetColor(clYellow);
  eRok->SetRequired(true);
  eRok->SetAllowZero(false);
  eRok->SetAllowNegative(false);
  lblRok->setBuddy(eRok);
  btnRokPlus = new QToolButton(pnlRok);
  btnRokPlus->setObjectName(QStringLiteral("btnRokPlus"));
  btnRokPlus->setText(QStringLiteral("+"));
  btnRokPlus->setGeometry(136, 26, 24, 24);
  connect(eRok, &QLineEdit::textChanged, this, &TfrmMain::eRokChange);
  connect(btnRokMinus, &QToolButton::clicked, this, &TfrmMain::btnRokMinusClick);
  connect(btnRokPlus, &QToolButton::clicked, this, &TfrmMain::btnRokPlusClick);
}

void TfrmMain::BuildPages() {
  pc1 = new QTabWidget(this);
  pc1->setObjectName(QStringLiteral("pc1"));
  pc1->setFocusPolicy(Qt::NoFocus);
  pc1->setGeometry(2, kHeaderHeight, kClientWidth - 4, kClientHeight - kHeaderHeight - 2);
  QList<QWidget*> pages;
  for (const TNavigationPage& page : NavigationPages()) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QString::fromUtf8(page.name));
    pc1->addTab(sheet, QString::fromUtf8(page.caption));
    pages.append(sheet);
  }
  tsEvidencie = pages[0];
  tsCiselniky = pages[1];
  tsPrehlady = pages[2];
  tsSluzby = pages[3];
  QWidget* previous = nullptr;
  for (const TNavigationEntry& entry : NavigationEntries()) {
    const QString target = QString::fromUtf8(entry.target);
    auto* button = new TQPLBtn(QString::fromUtf8(entry.caption), pages[entry.page]);
    button->setObjectName(QString::fromUtf8(entry.button));
    button->setGeometry(kColumnLeft[entry.column - 1], kRowTop[entry.row - 1], kButtonWidth, kButtonHeight);
    const bool information = entry.mode == TNavigationMode::DateTime;
    button->SetImages(information ? il32 : ilFishes);
    button->SetImageIndex(information ? 12 : 0);
    button->SetMargin(4);
    // The captions were laid out for an 8-point face; keep them inside the button.
    QFont font = button->font();
    font.setPixelSize(10);
    button->setFont(font);
    // A form that no library has registered yet keeps its button disabled.
    button->setEnabled(FormRegistry::IsRegistered(target));
    connect(button, &QPushButton::clicked, this, [this, &entry] { OpenNavigationEntry(entry); });
    // The table lists each page's buttons in tab order.
    if (previous && previous->parentWidget() == button->parentWidget()) setTabOrder(previous, button);
    previous = button;
    buttons_.insert(button->objectName(), button);
  }
  pc1->setCurrentIndex(0);
}

QPushButton* TfrmMain::Button(const QString& name) const { return buttons_.value(name); }

void TfrmMain::OpenNavigationEntry(const TNavigationEntry& entry) {
  const QString target = QString::fromUtf8(entry.target);
  const bool hideMain = entry.mode != TNavigationMode::DateTime;
  if (hideMain) hide();
  const auto showAgain = qScopeGuard([this, hideMain] {
    if (hideMain) show();
  });
  RunGuarded([&] {
    if (entry.mode == TNavigationMode::Action) {
      if (const TFormAction action = FormRegistry::Action(target)) action();
      return;
    }
    const TFormFactory factory = FormRegistry::Factory(target);
    if (!factory) return;
    TFormArgs args;
    args.Rok = ProgramSettings.Rok;
    if (entry.mode == TNavigationMode::BookType) args.Typ = entry.first;
    if (entry.mode == TNavigationMode::DocumentRange) {
      args.TypOd = entry.first;
      args.TypDo = entry.last;
    }
    if (entry.mode == TNavigationMode::DateTime) args.DatumCas = QDateTime::currentDateTime();
    const std::unique_ptr<TForm> form(factory(nullptr, args));
    if (form) form->ShowModal();
  });
}

void TfrmMain::eRokChange() {
  double value = 0;
  try {
    value = eRok->Value();
  } catch (const EConvertError&) {
    // An unfinished entry keeps the year at 0 until it is a number.
  }
  // A year below zero cannot be a working year; it stays 0 until the edit's
  // check refuses the entry.
  ProgramSettings.Rok = quint16(std::clamp(std::trunc(value), 0.0, 65535.0));
}

void TfrmMain::btnRokMinusClick() { eRok->SetValue(eRok->Value() - 1); }
void TfrmMain::btnRokPlusClick() { eRok->SetValue(eRok->Value() + 1); }

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == UxHotLinkApplicationName || watched == UxHotLinkWeb) {
      Shell::OpenUrl(kWebAddress);
      return true;
    }
    if (watched == UxHotLinkeMail) {
      Shell::OpenUrl(QStringLiteral("mailto:") + kSupportAddress);
      return true;
    }
  }
  return TForm::eventFilter(watched, event);
}

void TfrmMain::FormCreate() {
  pc1->setCurrentIndex(0);
  SetCaption(kNotice);
  SetApplicationTitle(kNotice + QStringLiteral(" - Tarnavo"));
  if (!connectBegun_) BeginConnect();
  // What the settings file raised goes on from here, as if read only now.
  if (const std::exception_ptr error = std::exchange(settingsError_, nullptr)) {
    connectBegun_ = false;
    std::rethrow_exception(error);
  }
  ProgramSettings.Rok = quint16(QDate::currentDate().year());
  eRok->SetValue(ProgramSettings.Rok);
  FinishConnect();
}

void TfrmMain::ReadShiftForClose() {
  TSettingsFile file(IniSettings.IniFileName);
  // A file that is not a settings file is left as it is; the login reports it.
  try {
    file.CheckReadable();
  } catch (const EIniFileError&) {
    IniSettings.ShiftForClose = false;
    return;
  }
  if (file.ReadString(QStringLiteral("ShiftForClose")).isEmpty()) {
    file.WriteBool(QStringLiteral("ShiftForClose"), false);
    IniSettings.ShiftForClose = false;
  } else {
    IniSettings.ShiftForClose = file.ReadBool(QStringLiteral("ShiftForClose"));
  }
}

void TfrmMain::BeginConnect() {
  connectBegun_ = true;
  try {
    IniSettings.IniFileName = SettingsFilePath();
    ReadShiftForClose();
  } catch (...) {
    settingsError_ = std::current_exception();
    return;
  }
  try {
    if (IBD->Connected()) IBD->Close();
    IBDLogin();
    opening_.Start(*IBD);
  } catch (const std::exception&) {
    loginError_ = std::current_exception();
  }
}

void TfrmMain::FinishConnect() {
  connectBegun_ = false;
  try {
    if (const std::exception_ptr error = std::exchange(loginError_, nullptr)) std::rethrow_exception(error);
    opening_.Finish();
  } catch (const std::exception& error) {
    // The window opens all the same, without a connection: the information
    // window says so, and each database action later fails with its own message.
    MessageDlg(ConnectionFailureText(IniSettings.Database, error), TMsgDlgType::Error, mbOK, mrOk);
    return;
  }
  RunGuarded([this] { IBDAfterConnect(); });
}

QString ConnectionFailureText(const QString& database, const std::exception& error) {
  QString reason;
  if (const auto* serverError = dynamic_cast<const EIBInterBaseError*>(&error)) {
    // The server's own text is English; the user gets the program's words for it.
    reason = ProgramResources::DatabaseErrorText(serverError->IBErrorCode()).trimmed();
    if (reason.isEmpty())
      reason = QStringLiteral("Databázový server pripojenie odmietol (chyba %1). Skontrolujte, či server beží a či "
                              "je cesta k databáze správna.")
                   .arg(serverError->IBErrorCode());
  } else if (const auto* own = dynamic_cast<const Exception*>(&error)) {
    reason = own->Message();
  } else {
    reason = QStringLiteral("Neznáma chyba pripojenia.");
  }
  return QStringLiteral("Nepodarilo sa pripojiť k databáze\r\n%1\r\n\r\n%2\r\n\r\n"
                        "Program pracuje bez databázy: cestu k nej nastavte v súbore %3.")
      .arg(database, reason, QDir::toNativeSeparators(IniSettings.IniFileName));
}

void TfrmMain::IBDLogin() {
  TSettingsFile file(IniSettings.IniFileName);
  // Defaults are never appended to a file that is not a settings file: the
  // connection fails with the reason and the program goes on without it.
  file.CheckReadable();
  const QString folder = ProgramFolder();
  QString database = file.ReadString(QStringLiteral("Database"));
  IniSettings.User_Name = file.ReadString(QStringLiteral("User_Name"));
  IniSettings.Password = file.ReadString(QStringLiteral("Password"));
  QString reports = file.ReadString(QStringLiteral("Reports"));
  QString backups = file.ReadString(QStringLiteral("Backups"));
  const auto fillDefault = [&file](QString& value, const QString& key, const QString& fallback) {
    if (!value.isEmpty()) return;
    value = fallback;
    file.WriteString(key, fallback);
  };
  fillDefault(database, QStringLiteral("Database"), folder + QStringLiteral("Data/Vimek.fdb"));
  fillDefault(IniSettings.User_Name, QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
  fillDefault(IniSettings.Password, QStringLiteral("Password"), QStringLiteral("pondlever"));
  fillDefault(reports, QStringLiteral("Reports"), folder + QStringLiteral("Reports"));
  fillDefault(backups, QStringLiteral("Backups"), folder + QStringLiteral("Zalohy"));
  IniSettings.Database = ResolveProgramPath(database);
  IniSettings.Reports = ResolveProgramPath(reports);
  IniSettings.ReportsPreferred = IniSettings.Reports;
  IniSettings.Backups = ResolveProgramPath(backups);
  IBD->SetDatabaseName(IniSettings.Database);
  IBD->SetUserName(IniSettings.User_Name);
  IBD->SetPassword(IniSettings.Password);
}

void TfrmMain::IBDAfterConnect() {
  if (!CheckVersion()) return;
  if (SupportedVersion() > 1) {
    Kontrola_Kalim_UDF();
    if (TerminationRequested()) return;
  }
  // Leftovers of dialogs that an abrupt end left open: only while no other
  // workstation can have such a dialog open.
  if (IBD->AttachmentCount() == 1) DeleteAbandonedRows(*IBDT);
  RunUnitOfWork(*IBDT, [this] { PurgeAndReadSettings(); });
}

bool TfrmMain::CheckVersion() {
  const int supported = SupportedVersion();
  quint16 version = quint16(ZistiVerziu());
  if (version < supported) {
    ShowUpgradeForm();
    if (TerminationRequested()) return false;
    version = quint16(ZistiVerziu());
    if (version < supported) {
      RedMessageDlg(FormatIntegers(LoadRcDataText(QStringLiteral("ERR3010")), {version, supported}), TMsgDlgType::Error,
                    mbOK, 0, mrOk);
      RequestTermination();
      return false;
    }
  }
  if (version > supported) {
    RedMessageDlg(FormatIntegers(LoadRcDataText(QStringLiteral("ERR3009")), {version, supported}), TMsgDlgType::Error,
                  mbOK, 0, mrOk);
    RequestTermination();
    return false;
  }
  return true;
}

void TfrmMain::PurgeAndReadSettings() {
  // The selection sets hold the rows of every connected workstation: purge
  // them only when this connection is the database's only attachment.
  if (IBD->AttachmentCount() == 1) {
    AppData::PurgeSelectionSets(*ibs);
  }
  ProgramSettings.BRIGADA_PREDPISANA = qint16(std::trunc(NastaveniaExtendedRead(QStringLiteral("BRIGADA_PREDPISANA"))));
  ProgramSettings.ZO_JEDIN = NastaveniaVariantRead(QStringLiteral("ZO_JEDIN"));
  ProgramSettings.JUX_JEDIN = NastaveniaVariantRead(QStringLiteral("JUX_JEDIN"));
  ProgramSettings.PRIEZVISKA_VELKYMI = NastaveniaBooleanRead(QStringLiteral("PRIEZVISKA_VELKYMI"));
  const std::pair<const char*, QString*> identity[] = {
      {"ORG_NAZOV", &Organizacia.Nazov},
      {"ORG_ULICA", &Organizacia.Ulica},
      {"ORG_PSC", &Organizacia.PSC},
      {"ORG_MESTO", &Organizacia.Mesto},
      {"ORG_ICO", &Organizacia.ICO},
      {"ORG_DIC", &Organizacia.DIC},
      {"ORG_ICDPH", &Organizacia.ICDPH},
      {"ORG_BANKA_PREDCISLIE", &Organizacia.Banka_Predcislie},
      {"ORG_BANKA_CISLO", &Organizacia.Banka_Cislo},
      {"ORG_BANKA_KOD", &Organizacia.Banka_Kod},
      {"ORG_BANKA_IBAN", &Organizacia.Banka_IBAN},
  };
  for (const auto& [key, target] : identity)
    *target = NastaveniaStringRead(QLatin1String(key));
}

int TfrmMain::ZistiVerziu() {
  try {
    TUnitOfWork unit(*IBDT);
    const int version = AppData::SchemaVersion(*ibs);
    unit.Commit();
    return version;
  } catch (const std::exception&) {
    // An unreadable version counts as 0: the upgrade form then decides.
    return 0;
  }
}

void TfrmMain::Kontrola_Kalim_UDF() {
  bool passed = false;
  try {
    TUnitOfWork unit(*IBDT);
    const QStringList parts = AppData::FunctionLibraryVersion(*ibs).split(QLatin1Char('.'));
    const int major = parts.value(0).trimmed().toInt();
    const int minor = parts.value(1).trimmed().toInt();
    passed = major > 1 || (major == 1 && minor >= 4);
    unit.Commit();
  } catch (const std::exception&) {
    // A missing function is the same as an old library.
  }
  if (passed) return;
  RedMessageDlg(FormatIntegers(LoadRcDataText(QStringLiteral("ERR3020")), {1, 4}), TMsgDlgType::Error, mbOK, 0, mrOk);
  RequestTermination();
}

QVariant TfrmMain::ReadSetting(const QString& column, const QString& key) {
  return AppData::Setting(*ibs, column, key);
}

QString TfrmMain::NastaveniaStringRead(const QString& key) {
  return ReadSetting(QStringLiteral("text"), key).toString();
}

bool TfrmMain::NastaveniaBooleanRead(const QString& key) {
  return ReadSetting(QStringLiteral("cislo"), key).toDouble() == 1;
}

double TfrmMain::NastaveniaExtendedRead(const QString& key) {
  return ReadSetting(QStringLiteral("cislo"), key).toDouble();
}

QVariant TfrmMain::NastaveniaVariantRead(const QString& key) { return ReadSetting(QStringLiteral("cislo"), key); }

int TfrmMain::SupportedVersion() const { return SupportedSchemaVersion(); }

void TfrmMain::ShowUpgradeForm() {
  TfrmUpdate form(this);
  form.ShowModal();
}

bool TfrmMain::ShiftHeld() const { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); }

bool TfrmMain::FormKeyDown(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    Close();
    return true;
  }
  return false;
}

void TfrmMain::FormCloseQuery(bool& canClose) {
  if (IniSettings.ShiftForClose && !ShiftHeld()) {
    showMinimized();
    canClose = false;
  }
}

void TfrmMain::FormClose(TCloseAction& action) { emit Closed(); }
