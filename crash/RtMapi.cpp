#include "crash/RtMapi.h"
#include "app/AppContext.h"
#include "app/SysInfo.h"
#include "crash/RtMapiTypes.h"
#include "util/RtErrors.h"
#include "util/RtFileUtils.h"
#include "util/RtRegistry.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtWidgets/QWidget>
#include <dlfcn.h>
#include <vector>

namespace {

const QString kMessagingKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows Messaging Subsystem");
const QString kClientsKey = QStringLiteral("SOFTWARE\\Clients\\Mail");
const QString kProfilesKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles");

QString ReadMachineString(const QString& key, const QString& name) {
  return RegistryReadString(TRegRoot::LocalMachine, key, name, QString());
}

QStringList SubKeys(TRegRoot root, const QString& key) {
  QStringList names;
  if (RegistryKeyExists(root, key)) RegistrySubKeyNames(root, key, names);
  return names;
}

} // namespace

QString MapiErrorText(int code) {
  static const char* const texts[] = {"",
                                      "User abort",
                                      "General MAPI failure",
                                      "MAPI login failure",
                                      "Disk full",
                                      "Insufficient memory",
                                      "Access denied",
                                      "",
                                      "Too many sessions",
                                      "Too many files were specified",
                                      "Too many recipients were specified",
                                      "A specified attachment was not found",
                                      "Attachment open failure",
                                      "Attachment write failure",
                                      "Unknown recipient",
                                      "Bad recipient type",
                                      "No messages",
                                      "Invalid message",
                                      "Text too large",
                                      "Invalid session",
                                      "Type not supported",
                                      "A recipient was specified ambiguously",
                                      "Message in use",
                                      "Network failure",
                                      "Invalid edit fields",
                                      "Invalid recipients",
                                      "Not supported"};
  return code >= 1 && code < int(std::size(texts)) ? QLatin1String(texts[code]) : QString();
}

// ---------------------------------------------------------------- set-up and library

TRtSimpleMapi::TRtSimpleMapi() { ReadSetup(); }

TRtSimpleMapi::~TRtSimpleMapi() { UnloadClientLibrary(); }

void TRtSimpleMapi::ReadSetup() {
  if (RegistryKeyExists(TRegRoot::LocalMachine, kMessagingKey)) {
    ExtendedMapiInstalled = ReadMachineString(kMessagingKey, QStringLiteral("MAPIX")) == QLatin1String("1");
    SimpleMapiInstalled = ReadMachineString(kMessagingKey, QStringLiteral("MAPI")) == QLatin1String("1");
    MapiVersion = ReadMachineString(kMessagingKey, QStringLiteral("MAPIXVER"));
  }
  AnyClientInstalled = ExtendedMapiInstalled;
  if (RegistryKeyExists(TRegRoot::LocalMachine, kClientsKey)) {
    const QString defaultClient = ReadMachineString(kClientsKey, QString());
    const QStringList names = SubKeys(TRegRoot::LocalMachine, kClientsKey);
    for (const QString& name : names) {
      TRtMapiClient client;
      client.KeyName = name;
      const QString key = kClientsKey + QLatin1Char('\\') + name;
      if (RegistryKeyExists(TRegRoot::LocalMachine, key)) {
        client.DisplayName = ReadMachineString(key, QString());
        client.LibraryPath = ReadMachineString(key, QStringLiteral("DLLPath"));
        ExpandEnvironmentInPlace(client.LibraryPath);
        client.Usable = IsUsableClientLibrary(client.LibraryPath);
        AnyClientInstalled = AnyClientInstalled || client.Usable;
      }
      Clients.append(client);
    }
    DefaultClientIndex = int(names.indexOf(defaultClient));
    SelectedClientIndex = DefaultClientIndex;
  }
  DefaultProfile = RegistryReadString(TRegRoot::CurrentUser, kProfilesKey, QStringLiteral("DefaultProfile"), QString());
  Profiles = SubKeys(TRegRoot::CurrentUser, kProfilesKey);
}

QString TRtSimpleMapi::SystemLibraryPath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/mapi32.so");
}

bool TRtSimpleMapi::IsUsableClientLibrary(const QString& path) {
  if (path.isEmpty()) return false;
  void* library = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_LOCAL);
  if (!library) return false;
  bool usable = true;
  for (const char* name : RtMapi::kEntryPoints)
    usable = usable && dlsym(library, name) != nullptr;
  dlclose(library);
  return usable;
}

QString TRtSimpleMapi::LibraryToLoad() const {
  if (ConnectKind == ckSystemLibrary || (ConnectKind == ckAutomatic && SimpleMapiInstalled)) return SystemLibraryPath();
  // Without a chosen client there is no library to take.
  if (SelectedClientIndex < 0 || SelectedClientIndex >= Clients.size())
    throw ERtMapiError(QStringLiteral("No Simple MAPI client installed, cannot send the message"));
  return Clients[SelectedClientIndex].LibraryPath;
}

void TRtSimpleMapi::LoadClientLibrary() {
  if (library_) return;
  const QString path = LibraryToLoad();
  void* library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
  if (!library) throw EOSError(0, QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(dlerror())));
  for (int i = 0; i < 12; ++i) {
    entryPoints_[i] = dlsym(library, RtMapi::kEntryPoints[i]);
    if (!entryPoints_[i]) {
      dlclose(library);
      std::fill(std::begin(entryPoints_), std::end(entryPoints_), nullptr);
      throw ERtMapiError(
          QStringLiteral("Function \"%1\" is not exported by client").arg(QLatin1String(RtMapi::kEntryPoints[i])));
    }
  }
  library_ = library;
}

void TRtSimpleMapi::UnloadClientLibrary() {
  if (!library_) return;
  if (BeforeUnload) BeforeUnload();
  dlclose(library_);
  library_ = nullptr;
  std::fill(std::begin(entryPoints_), std::end(entryPoints_), nullptr);
}

int TRtSimpleMapi::CheckResult(int code, bool cancelAllowed) {
  if (code == int(RtMapi::kSuccess) || (cancelAllowed && code == int(RtMapi::kUserAbort))) return code;
  throw ERtMapiError(QStringLiteral("MAPI Error: (%1) \"%2\"").arg(code).arg(MapiErrorText(code)), code);
}

// ---------------------------------------------------------------- e-mail

TRtEmail::TRtEmail() : LogonFlags(RtMapi::kLogonUi) {
  BeforeUnload = [this] { Logoff(); };
}

TRtEmail::~TRtEmail() {
  // Log off while the library is still there.
  UnloadClientLibrary();
}

void TRtEmail::AddRecipient(const QString& address, const QString& name, TRtEmailRecip::TKind kind,
                            const QString& addressType) {
  Recipients.Items.append({address.trimmed(), addressType, kind, name});
}

void TRtEmail::SetBody(const QString& body) {
  body_ = body.isEmpty() || body.endsWith(QLatin1String("\r\n")) ? body : body + QLatin1String("\r\n");
}

void TRtEmail::SetParentWindow(QWidget* window) {
  parentWindow_ = window;
  parentWindowSet_ = true;
}

QWidget* TRtEmail::ParentWindow() const {
  return parentWindowSet_ ? parentWindow_ : MainWindowOfProcess(QCoreApplication::applicationPid());
}

void TRtEmail::Logoff() {
  if (Session == 0 || !ClientLibraryLoaded()) return;
  const auto logoff = reinterpret_cast<TMapiLogoff>(EntryPoint(RtMapi::kEntryLogoff));
  QWidget* parent = ParentWindow();
  const quintptr session = Session;
  Session = 0;
  CheckResult(int(logoff(session, parent ? quintptr(parent->winId()) : 0, 0, 0)), false);
}

bool TRtEmail::Send(bool showDialog) {
  if (!AnyClientInstalled)
    throw ERtMapiError(QStringLiteral("No Simple MAPI client installed, cannot send the message"));
  QString htmlFile;
  // The HTML body travels as the first attachment; the file goes whatever happens.
  struct TRemoveHtml {
    TRtEmail& mail;
    QString& file;
    ~TRemoveHtml() {
      if (file.isEmpty()) return;
      QFile::remove(file);
      mail.Attachments.removeAll(file);
    }
  } removeHtml{*this, htmlFile};
  if (BodyIsHtml) {
    htmlFile =
        FindUnusedFileName(TempFolderPath() + QStringLiteral("/RtMapi"), QStringLiteral("htm"), QStringLiteral("Temp"));
    QFile file(htmlFile);
    if (file.open(QIODevice::WriteOnly)) file.write(body_.toUtf8());
    Attachments.prepend(htmlFile);
  }

  std::vector<QByteArray> texts; // keeps the UTF-8 texts alive for the call
  auto text = [&texts](const QString& value) {
    texts.push_back(value.toUtf8());
    return texts.back().data();
  };
  texts.reserve(size_t(4 + 3 * (Attachments.size() + Recipients.Items.size())));
  std::vector<TMapiFileDesc> files;
  for (const QString& attachment : Attachments) {
    if (!QFileInfo::exists(attachment)) CheckResult(int(RtMapi::kAttachmentNotFound), false);
    files.push_back({0, 0, 0xFFFFFFFFu, text(QFileInfo(attachment).absoluteFilePath()), nullptr, nullptr});
  }
  if (Recipients.Items.isEmpty() && !showDialog) CheckResult(int(RtMapi::kInvalidRecips), false);
  std::vector<TMapiRecipDesc> recipients;
  for (const TRtEmailRecip& recipient : Recipients.Items) {
    const QString name = recipient.Name.isEmpty() ? recipient.Address : recipient.Name;
    if (name.isEmpty()) CheckResult(int(RtMapi::kInvalidRecips), false);
    const QString type = !recipient.AddressType.isEmpty() ? recipient.AddressType : Recipients.AddressType;
    const QString address = type.isEmpty() ? recipient.Address : type + QLatin1Char(':') + recipient.Address;
    recipients.push_back({0, uint32_t(recipient.Kind), text(name), text(address), 0, nullptr});
  }

  LoadClientLibrary();
  TMapiMessage message = {};
  message.Subject = text(Subject);
  message.NoteText = text(BodyIsHtml ? QString() : body_);
  message.RecipCount = uint32_t(recipients.size());
  message.Recips = recipients.empty() ? nullptr : recipients.data();
  message.FileCount = uint32_t(files.size());
  message.Files = files.empty() ? nullptr : files.data();
  uint32_t flags = showDialog ? RtMapi::kDialog : 0;
  if (Session == 0) flags |= LogonFlags & (RtMapi::kLogonUi | RtMapi::kNewSession | RtMapi::kForceDownload);
  const auto sendMail = reinterpret_cast<TMapiSendMail>(EntryPoint(RtMapi::kEntrySendMail));
  QWidget* parent = ParentWindow();
  const int result = int(sendMail(Session, parent ? quintptr(parent->winId()) : 0, &message, flags, 0));
  return CheckResult(result, true) == int(RtMapi::kSuccess);
}

bool SendSimpleMail(const QString& address, const QString& name, const QString& subject, const QString& body,
                    const QString& attachment, bool showDialog, QWidget* parent) {
  TRtEmail mail;
  if (parent) mail.SetParentWindow(parent);
  mail.AddRecipient(address, name, TRtEmailRecip::rkTo, QStringLiteral("SMTP"));
  mail.Subject = subject;
  mail.SetBody(body);
  if (!attachment.isEmpty()) mail.Attachments.append(attachment);
  return mail.Send(showDialog);
}

void EnsureMessagingSubsystemKey() {
  if (RegistryKeyExists(TRegRoot::LocalMachine, kMessagingKey)) return;
  // Our library stands for the whole messaging subsystem: without "MAPIX" the
  // set-up would count no client at all and refuse every send.
  TRegistry& machine = TRegistry::Root(TRegRoot::LocalMachine);
  machine.WriteValue(kMessagingKey, QStringLiteral("MAPI"), TRegValue::String(QStringLiteral("1")), true);
  machine.WriteValue(kMessagingKey, QStringLiteral("MAPIX"), TRegValue::String(QStringLiteral("1")), true);
}
