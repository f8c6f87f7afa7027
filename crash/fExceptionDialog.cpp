#include "crash/fExceptionDialog.h"
#include "app/AppContext.h"
#include "app/ExceptionHandler.h"
#include "app/SettingsFile.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "crash/RtDebug.h"
#include "crash/RtFaultHandler.h"
#include "crash/RtHookExcept.h"
#include "crash/RtMapi.h"
#include "platform/MessageDialogs.h"
#include "util/RtFileVersionInfo.h"
#include "util/RtStrUtils.h"
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QSet>
#include <QtCore/QStandardPaths>
#include <QtCore/QThread>
#include <QtGui/QClipboard>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QStyle>
#include <csignal>
#include <cstring>
#include <cxxabi.h>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A fault of an earlier run, as the crash-report mode shows it.
class EExternalException : public Exception {
public:
  EExternalException(const QString& message, QString className, quintptr address)
      : Exception(message), className_(std::move(className)), address_(address) {}
  const QString& ClassName() const { return className_; }
  quintptr Address() const { return address_; }

private:
  QString className_;
  quintptr address_;
};

bool reportShowing = false;
bool handlersInstalled = false;
TApplicationExceptionHandler plainHandler;
std::function<void(TExceptionDialog&)> shownHook;

QString Hex(quintptr value, bool upper) {
  const QString text = QStringLiteral("%1").arg(quint64(value), 16, 16, QLatin1Char('0'));
  return upper ? text.toUpper() : text;
}

QString DateTimeText(const QDateTime& moment) { return moment.toString(QStringLiteral("d.M.yyyy H:mm:ss")); }

// The thrown object behind an exception pointer: the C++ runtime keeps
// exactly that pointer in it.
void* ThrownObject(const std::exception_ptr& exception) {
  static_assert(sizeof(std::exception_ptr) == sizeof(void*));
  void* object = nullptr;
  std::memcpy(&object, &exception, sizeof object);
  return object;
}

QString ExceptionClassName(const std::exception_ptr& exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const EExternalException& e) {
    return e.ClassName();
  } catch (...) {
    const std::type_info* type = abi::__cxa_current_exception_type();
    return type ? DemangledName(type->name()) : QStringLiteral("Exception");
  }
}

QString ExceptionMessage(const std::exception_ptr& exception) { return ExceptionText(exception); }

// A line of text with trailing blanks and control characters removed.
QString TrimmedLogLine(QString line) {
  while (!line.isEmpty() && line.back().unicode() <= 32)
    line.chop(1);
  return line;
}

} // namespace

std::optional<QList<TModuleEntry>> ProcessCodeModules() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return std::nullopt;
  return CodeModulesOfMaps(QString::fromLocal8Bit(maps.readAll()));
}

QList<TModuleEntry> CodeModulesOfMaps(const QString& mapsText) {
  // Files mapped for data (fonts, caches, locales) are no modules: only files
  // with an executable mapping count.
  QSet<QString> code;
  for (const QString& line : mapsText.split(QLatin1Char('\n'))) {
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    if (parts.size() >= 6 && parts[1].contains(QLatin1Char('x'))) code.insert(parts.mid(5).join(QLatin1Char(' ')));
  }
  QList<TModuleEntry> modules = ParseModuleMaps(mapsText, false);
  modules.removeIf([&code](const TModuleEntry& module) { return !code.contains(module.Path); });
  return modules;
}

// ---------------------------------------------------------------- log

TSimpleExceptionLog::TSimpleExceptionLog(const QString& fileName)
    : fileName_(fileName.isEmpty() ? DefaultLogFileName() : fileName) {}

QString TSimpleExceptionLog::DefaultLogFileName() {
  const QFileInfo program(ProgramFilePath());
  const QString name = program.completeBaseName() + QStringLiteral("_Err.log");
  if (QFileInfo(program.absolutePath()).isWritable()) return program.absolutePath() + QLatin1Char('/') + name;
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(folder);
  return folder + QLatin1Char('/') + name;
}

void TSimpleExceptionLog::OpenLog() {
  if (IsLogOpen()) {
    logWasEmpty_ = false;
    return;
  }
  file_.setFileName(fileName_);
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) return;
  logWasEmpty_ = file_.size() == 0;
}

void TSimpleExceptionLog::WriteLogText(const QString& text, int indent) {
  if (!IsLogOpen()) return;
  QString normalised = text;
  normalised.replace(kCrLf, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = normalised.split(QLatin1Char('\n'));
  // A final line break ends the last line; it starts no empty one.
  if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
  QByteArray bytes;
  for (const QString& line : lines) {
    // An empty line gets no indent either: no line of the log ends in blanks.
    const QString trimmed = TrimmedLogLine(line);
    bytes += ((trimmed.isEmpty() ? QString() : QString(indent, QLatin1Char(' '))) + trimmed + kCrLf).toUtf8();
  }
  file_.write(bytes);
}

void TSimpleExceptionLog::WriteLogBanner(int width) {
  width = width == 0 ? 100 : qMax(width, 20);
  OpenLog();
  if (!IsLogOpen()) return;
  const QString rule = RepeatString(QStringLiteral("="), width);
  QString banner = LogWasEmpty() ? QString() : kCrLf;
  banner += rule + kCrLf;
  banner += QStringLiteral("= %1 =").arg(DateTimeText(QDateTime::currentDateTime()), -(width - 4)) + kCrLf;
  banner += rule + kCrLf;
  file_.write(banner.toUtf8());
}

// ---------------------------------------------------------------- texts

QString CrashMessageText(const QString& message) {
  QString text = message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
  text.replace(kCrLf, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text.replace(QLatin1Char('\n'), kCrLf);
}

QStringList ModuleLines(const TCrashModule& module) {
  QStringList lines{QStringLiteral("[%1] %2").arg(Hex(module.Base, false), module.FileName)};
  const QString blanks(19, QLatin1Char(' ')); // as wide as "<" + 16 digits + "> "
  const QString prefix = module.PreferredBase && *module.PreferredBase != module.Base
                             ? QStringLiteral("<%1> ").arg(Hex(*module.PreferredBase, false))
                             : blanks;
  lines.append(prefix + (module.HasVersionInfo ? module.FixedVersion + QStringLiteral(" - ") + module.FileVersion
                                               : QStringLiteral("(no version info)")));
  if (module.HasVersionInfo && !module.FileDescription.isEmpty()) lines.append(blanks + module.FileDescription);
  return lines;
}

// ---------------------------------------------------------------- dialog

TExceptionDialog::TExceptionDialog(QWidget* owner) : TForm(owner) {
  setObjectName(QStringLiteral("ExceptionDialog"));
  SetTag(kTagWriteLog);
  SetKeyPreview(true);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setMinimumWidth(200);
  resize(kDesignWidth, kDesignHeight);

  TextLabel = new QPlainTextEdit(this);
  TextLabel->setObjectName(QStringLiteral("TextLabel"));
  TextLabel->setReadOnly(true);
  TextLabel->setFrameShape(QFrame::NoFrame);
  TextLabel->setBackgroundRole(QPalette::Window);
  TextLabel->viewport()->setAutoFillBackground(false);
  TextLabel->setToolTip(QStringLiteral("Použite Ctrl+C pre skopírovanie chybovej správy do schránky"));
  Label1 = new QLabel(QStringLiteral("POZOR: Pokiaľ sa chyba vyskytuje častejšie, stlačte tlačidlo \"Odoslať\" pre "
                                     "odoslanie chybovej správy programátorovi."),
                      this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Label1->setStyleSheet(QStringLiteral("color: red"));
  Bevel1 = new QFrame(this);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameShape(QFrame::HLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
  DetailsMemo = new QPlainTextEdit(this);
  DetailsMemo->setObjectName(QStringLiteral("DetailsMemo"));
  DetailsMemo->setReadOnly(true);
  DetailsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  DetailsMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  DetailsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  DetailsMemo->setFont(QFont(QStringLiteral("Courier New"), 9));
  OkBtn = new TQPLBtn(QStringLiteral("&OK"), this);
  OkBtn->setObjectName(QStringLiteral("OkBtn"));
  OkBtn->SetModalResult(mrOk);
  btnSend = new TQPLBtn(QStringLiteral("&Odoslať"), this);
  btnSend->setObjectName(QStringLiteral("btnSend"));
  btnSend->setToolTip(
      QStringLiteral("Pokiaľ máte nakonfigurovaného MAPI klienta tak program pošle chybovník programátorovi."));
  DetailsBtn = new TQPLBtn(QStringLiteral("&Detaily"), this);
  DetailsBtn->setObjectName(QStringLiteral("DetailsBtn"));
  DetailsBtn->setToolTip(QStringLiteral("Zobrazí alebo skryje podrobný popis chyby"));
  DetailsBtn->setEnabled(false);
  fp = new TUxFormPlacement(this);
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);
  connect(DetailsBtn, &QPushButton::clicked, this, &TExceptionDialog::DetailsBtnClick);
  connect(btnSend, &QPushButton::clicked, this, &TExceptionDialog::btnSendClick);
  PlaceControls();

  // What the form's creation does.
  Log = std::make_unique<TSimpleExceptionLog>();
  ExpandedClientHeight = height();
  SetDetailsShown(false);
  SetCaption(QStringLiteral("%1 - chyba systému").arg(ApplicationTitle()));
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
}

TExceptionDialog::~TExceptionDialog() = default;

void TExceptionDialog::PlaceControls() {
  const int w = width();
  TextLabel->setGeometry(56, 8, qMax(40, w - 56 - 104), 56);
  Label1->setGeometry(56, 66, qMax(40, w - 56 - 104), 42);
  OkBtn->setGeometry(w - 92, 8, 84, 25);
  btnSend->setGeometry(w - 92, 40, 84, 25);
  DetailsBtn->setGeometry(w - 92, 72, 84, 25);
  Bevel1->setGeometry(0, kBevelTop, w, 2);
  DetailsMemo->setGeometry(4, kBevelTop + 5, qMax(40, w - 8), qMax(0, height() - (kBevelTop + 5) - 3));
}

void TExceptionDialog::resizeEvent(QResizeEvent* event) {
  TForm::resizeEvent(event);
  PlaceControls();
  AdjustMessageScrollBar();
}

void TExceptionDialog::SetMessage(const QString& message) {
  message_ = CrashMessageText(message);
  TextLabel->setPlainText(QString(message_).replace(kCrLf, QStringLiteral("\n")));
  AdjustMessageScrollBar();
}

void TExceptionDialog::AddDetailLine(const QString& line) {
  details_.append(line);
  DetailsMemo->appendPlainText(line);
}

void TExceptionDialog::AddSeparatorLine() { AddDetailLine(QString(SeparatorWidth(), SeparatorChar())); }

void TExceptionDialog::SetStackList(std::unique_ptr<TRtStackInfoList> list) { stackList_ = std::move(list); }

QString TExceptionDialog::ReportText() const {
  const QString message = message_.endsWith(kCrLf) ? message_ : message_ + kCrLf;
  return message + kCrLf + details_.join(kCrLf);
}

void TExceptionDialog::CopyReport() { QGuiApplication::clipboard()->setText(ReportText()); }

void TExceptionDialog::SetDetailsShown(bool shown) {
  DetailsShown = shown;
  const QString base = RemoveCharsOfSet(DetailsBtn->Caption(), u"<>").trimmed();
  QString caption;
  if (shown) {
    setMinimumHeight(CompactHeight + 100);
    const QScreen* screen = this->screen();
    setMaximumHeight(screen ? screen->geometry().height() : QWIDGETSIZE_MAX);
    caption = QStringLiteral("<< ") + base;
    resize(width(), ExpandedClientHeight);
    // A dialog that grew past the screen's bottom moves up, so that the details show whole.
    if (screen && isVisible()) {
      const int below = frameGeometry().bottom() - screen->availableGeometry().bottom();
      if (below > 0) move(x(), qMax(screen->availableGeometry().top(), y() - below));
    }
  } else {
    ExpandedClientHeight = height();
    caption = base + QStringLiteral(" >>");
    // Heights are pinned first, so that the new height holds at once.
    const int compact = CompactHeight == 0 ? kBevelTop : CompactHeight;
    setMinimumHeight(compact);
    setMaximumHeight(compact);
    resize(width(), compact);
    if (CompactHeight == 0) CompactHeight = height();
  }
  PlaceControls();
  DetailsBtn->SetCaption(caption);
  DetailsMemo->setEnabled(shown);
}

void TExceptionDialog::DetailsBtnClick() { SetDetailsShown(!DetailsShown); }

void TExceptionDialog::AdjustMessageScrollBar() {
  if (Tag() & kTagKeepScrollBar) return;
  const int lines = TextLabel->document()->lineCount();
  const bool needed = lines * TextLabel->fontMetrics().height() > TextLabel->viewport()->height();
  TextLabel->setVerticalScrollBarPolicy(needed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TExceptionDialog::FormShow() {
  BeforeDetails();
  QApplication::beep();
  // The details are built once the dialog is on the screen.
  if (RaisedInMainThread && QThread::currentThread() == thread())
    QMetaObject::invokeMethod(
        this,
        [this] {
          repaint();
          BuildDetails();
        },
        Qt::QueuedConnection);
  else
    BuildDetails();
}

void TExceptionDialog::BuildDetails() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  DetailsMemo->setUpdatesEnabled(false);
  struct TFinally {
    TExceptionDialog& dialog;
    ~TFinally() {
      dialog.DetailsMemo->setUpdatesEnabled(true);
      dialog.OkBtn->setEnabled(true);
      dialog.DetailsBtn->setEnabled(true);
      dialog.OkBtn->setFocus();
      QApplication::restoreOverrideCursor();
    }
  } finally{*this};
  AddAllDetails();
  LogReport();
  DetailsMemo->moveCursor(QTextCursor::Start);
  DetailsMemo->ensureCursorVisible();
  AfterDetails();
  if (shownHook)
    QMetaObject::invokeMethod(
        this, [this] { shownHook(*this); }, Qt::QueuedConnection);
}

void TExceptionDialog::AddDetailSections(int sections) {
  if (sections & dsStack) AddStackSection();
  if (sections & dsSystem) AddSystemSection();
  if (sections & dsModules) AddModulesSection();
  if (sections & dsActiveControls) AddActiveControlsSection();
}

void TExceptionDialog::AddStackSection() {
  if (!stackList_) return;
  AddDetailLine(QStringLiteral("Stack list, generated %1").arg(DateTimeText(stackList_->CreatedAt())));
  QStringList lines;
  stackList_->AppendLines(lines, false, true, true);
  for (const QString& line : lines)
    AddDetailLine(line);
  AddSeparatorLine();
}

void TExceptionDialog::AddSystemSection() {
  const TOperatingSystem system = RunningOperatingSystem();
  AddDetailLine(QStringLiteral("System   : %1 %2, Version: %3.%4, Build: %5, \"%6\"")
                    .arg(system.Name, system.Kind)
                    .arg(system.Major)
                    .arg(system.Minor)
                    .arg(QString::number(system.Build, 16).toUpper(), system.Service));
  TCpuInfo cpu;
  GetCpuInfo(cpu);
  AddDetailLine(
      QStringLiteral("Processor: %1, %2, %3 MHz %4%5")
          .arg(cpu.Manufacturer, cpu.Name)
          .arg(cpu.NormalisedMHz)
          .arg(cpu.Mmx ? QStringLiteral("MMX") : QString(), cpu.FdivOk ? QString() : QStringLiteral(" [FDIV Bug]")));
  AddDetailLine(QStringLiteral("PC name  : %1").arg(LocalComputerName()));
  const QScreen* screen = QGuiApplication::primaryScreen();
  AddDetailLine(QStringLiteral("Display  : %1x%2 pixels, %3 bpp")
                    .arg(screen ? screen->geometry().width() : 0)
                    .arg(screen ? screen->geometry().height() : 0)
                    .arg(screen ? screen->depth() : 0));
  AddSeparatorLine();
}

void TExceptionDialog::AddModulesSection() {
  const std::optional<QList<TModuleEntry>> found = ModuleSource ? ModuleSource() : ProcessCodeModules();
  if (!found) return;
  std::optional<QList<TModuleEntry>> modules = found;
  std::sort(modules->begin(), modules->end(),
            [](const TModuleEntry& a, const TModuleEntry& b) { return a.Base < b.Base; });
  AddDetailLine(QStringLiteral("List of loaded modules:"));
  const QList<TRtElfModule> loaded = LoadedElfModules();
  for (const TModuleEntry& entry : *modules) {
    TCrashModule module{entry.Base, entry.Path};
    for (const TRtElfModule& elf : loaded)
      if (elf.FileName == entry.Path && elf.LinkBase != 0 && elf.Base == elf.LinkBase)
        module.PreferredBase = elf.LinkBase;
    module.HasVersionInfo = FileHasVersionInfo(entry.Path);
    if (module.HasVersionInfo) {
      const TRtFileVersionInfo info(entry.Path);
      module.FixedVersion = info.FixedFileVersionText();
      module.FileVersion = info.StringValueByIndex(4);
      module.FileDescription = info.StringValueByIndex(3);
    }
    for (const QString& line : ModuleLines(module))
      AddDetailLine(line);
  }
  AddSeparatorLine();
}

void TExceptionDialog::AddActiveControlsSection() {
  if (!FocusedControl) return;
  AddDetailLine(QStringLiteral("Active Controls hiearchy:"));
  for (QWidget* control = FocusedControl; control; control = control->parentWidget())
    AddDetailLine(
        QStringLiteral("%1 \"%2\"").arg(QLatin1String(control->metaObject()->className()), control->objectName()));
  AddSeparatorLine();
}

void TExceptionDialog::LogReport() {
  if (!(Tag() & kTagWriteLog)) return;
  Log->WriteLogBanner(SeparatorWidth());
  Log->WriteLogText(ReportText(), 0);
  Log->CloseLog();
}

bool TExceptionDialog::FormKeyDown(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyReport();
    QApplication::beep();
    return true;
  }
  return false;
}

void TExceptionDialog::paintEvent(QPaintEvent* event) {
  TForm::paintEvent(event);
  const int size = 32; // the system's error icon, as wide as the room left of the message
  const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this);
  QPainter painter(this);
  painter.drawPixmap(TextLabel->x() - size - 15, TextLabel->y(), icon.pixmap(size, size));
}

void TExceptionDialog::btnSendClick() {
  const QString body =
      TextLabel->toPlainText().replace(QLatin1Char('\n'), kCrLf) + kCrLf + kCrLf + details_.join(kCrLf);
  const QString logFile = TSimpleExceptionLog::DefaultLogFileName();
  const QString subject = QStringLiteral("Tarnavo - Chybové hlásenie");
  const TSettingsFile settings(SettingsFilePath());
  EnsureMessagingSubsystemKey();
  if (SendSimpleMail(settings.ReadString(QLatin1String(kSupportAddressKey)),
                     settings.ReadString(QLatin1String(kSupportNameKey)), subject, body, logFile, false, this)) {
    const QFileInfo program(ProgramFilePath());
    // A dated log of today already there keeps the current one under its name.
    QFile::rename(logFile, QFileInfo(logFile).absolutePath() + QLatin1Char('/') + program.completeBaseName() +
                               QStringLiteral("_Err_") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                               QStringLiteral(".log"));
    MessageDlg(QStringLiteral("Správa bola uložená do e-mailového klienta a je pripravená na odoslanie."),
               TMsgDlgType::Information, mbOK);
  } else {
    MessageDlg(QStringLiteral("Chyba pri odoslaní správy do e-mailového klienta. Kontaktujte administratora systému."),
               TMsgDlgType::Error, mbOK);
  }
  OkBtn->setFocus();
}

// ---------------------------------------------------------------- handlers

namespace {

void ShowReport(const QString& message, const QString& className, quintptr address,
                std::unique_ptr<TRtStackInfoList> stack,
                std::function<std::optional<QList<TModuleEntry>>()> modules = {}) {
  // The dialog goes whatever happens.
  std::unique_ptr<TExceptionDialog> dialog = std::make_unique<TExceptionDialog>();
  dialog->RaisedInMainThread = QThread::currentThread() == qApp->thread();
  dialog->FocusedControl = QApplication::focusWidget();
  dialog->SetMessage(message);
  dialog->SetStackList(std::move(stack));
  dialog->ModuleSource = std::move(modules);
  dialog->AddDetailLine(QStringLiteral("Exception class: %1").arg(className));
  dialog->AddDetailLine(QStringLiteral("Exception address: %1").arg(Hex(address, true)));
  dialog->AddSeparatorLine();
  dialog->ShowModal();
}

} // namespace

void ShowCrashReport(std::exception_ptr exception) {
  // What was recorded at the raise is taken now, before anything the report
  // does can raise (and record) again; it is shown only when it belongs to
  // this exception.
  std::unique_ptr<TRtStackInfoList> stack = TRtGlobalStackList::Instance().CopyStackListOf(CurrentThreadId());
  const TRtRaiseRecord raise = LastRaise();
  void* object = ThrownObject(exception);
  if (stack && stack->ExceptionObject() != object) stack.reset();
  ShowReport(ExceptionMessage(exception), ExceptionClassName(exception),
             raise.ExceptionObject == object ? raise.Address : 0, std::move(stack));
}

bool ReportShowing() { return reportShowing; }

void HandleAppException(std::exception_ptr exception) {
  if (reportShowing) {
    if (plainHandler) plainHandler(exception);
    return;
  }
  reportShowing = true;
  struct TClear {
    ~TClear() { reportShowing = false; }
  } clear;
  ShowCrashReport(exception);
}

void InstallCrashHandlers() {
  if (handlersInstalled) return;
  handlersInstalled = true;
  SetTrackingOptions(TrackingOptions() | toRawWalk);
  TRtDebugThreadList::Instance().OnSyncException = [](quint64) {};
  StartRaiseTracking();
  plainHandler = SetApplicationExceptionHandler(HandleAppException);
}

void RemoveCrashHandlers() {
  if (!handlersInstalled) return;
  handlersInstalled = false;
  SetApplicationExceptionHandler(plainHandler);
  TRtDebugThreadList::Instance().OnSyncException = nullptr;
  RemoveRaiseHooks();
  StopRaiseTracking();
}

void SetCrashDialogShownHook(std::function<void(TExceptionDialog&)> hook) { shownHook = std::move(hook); }

// ---------------------------------------------------------------- crash-report mode

namespace {

struct TFaultDescription {
  QString ClassName;
  QString Text;
};

TFaultDescription DescribeFault(const TRtFaultReport& fault) {
  const QString at = Hex(fault.Address, true);
  // A signal another process sent carries no faulting data address.
  if (fault.Code <= 0)
    return {QStringLiteral("EExternalException"),
            QStringLiteral("Program prijal signál SIG%1 od iného procesu, prerušený na adrese %2")
                .arg(QLatin1String(sigabbrev_np(fault.Signal) ? sigabbrev_np(fault.Signal) : "?"), at)};
  switch (fault.Signal) {
  case SIGFPE:
    if (fault.Code == FPE_INTDIV)
      return {QStringLiteral("EDivByZero"), QStringLiteral("Delenie nulou na adrese %1").arg(at)};
    return {QStringLiteral("EMathError"), QStringLiteral("Chyba výpočtu na adrese %1").arg(at)};
  case SIGILL:
    return {QStringLiteral("EExternalException"), QStringLiteral("Neplatná inštrukcia na adrese %1").arg(at)};
  default:
    return {QStringLiteral("EAccessViolation"), QStringLiteral("Chyba prístupu do pamäte na adrese %1, pri prístupe "
                                                               "na adresu %2")
                                                    .arg(at, Hex(fault.DataAddress, true))};
  }
}

} // namespace

int RunCrashReport(const QString& faultReportFile) {
  const std::optional<TRtFaultReport> fault = ReadFaultReport(faultReportFile);
  if (!fault) return 1;
  const QList<TModuleEntry> modules = CodeModulesOfMaps(fault->Maps);
  // Addresses of the ended process resolve through its own module map.
  SetLocationModuleResolver([modules](quintptr address) {
    const TModuleEntry* best = nullptr;
    for (const TModuleEntry& module : modules)
      if (module.Base <= address && (!best || module.Base > best->Base)) best = &module;
    return best ? TRtModule{best->Base, best->Path, 0} : TRtModule();
  });
  auto stack = std::make_unique<TRtStackInfoList>(true, 0, fault->Address);
  quint32 depth = 0;
  for (quintptr frame : fault->Frames)
    stack->Append({frame, ++depth});
  const TFaultDescription description = DescribeFault(*fault);
  reportShowing = true;
  ShowReport(description.Text + QStringLiteral(". Program musel skončiť."), description.ClassName, fault->Address,
             std::move(stack), [modules] { return std::optional<QList<TModuleEntry>>(modules); });
  reportShowing = false;
  SetLocationModuleResolver(nullptr);
  QFile::remove(faultReportFile);
  return 0;
}
