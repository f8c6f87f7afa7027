#pragma once
#include "core/Exception.h"
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>
#include <memory>

class QWidget;

// The mail hand-off: finds the mail client from the registry stand-in (the
// local-machine root), loads its Simple MAPI library on demand and sends one
// message through it. The system's library ("mapi32.dll") is stood in by
// our library beside the program, which hands the message to xdg-email.

// A mail error with its Simple MAPI result code (0 when there is none).
class ERtMapiError : public Exception {
public:
  ERtMapiError(const QString& message, int errorCode = 0) : Exception(message), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }

private:
  int errorCode_;
};

// "MAPI Error: (%d) "%s"" texts of the result codes; empty for codes without one.
QString MapiErrorText(int code);

struct TRtMapiClient {
  QString DisplayName;
  QString LibraryPath;
  QString KeyName;
  bool Usable = false;
};

// The mail set-up and the client library.
class TRtSimpleMapi {
public:
  enum TConnectKind { ckAutomatic, ckSystemLibrary, ckSelectedClient };

  // Reads the mail set-up from the registry.
  TRtSimpleMapi();
  virtual ~TRtSimpleMapi();
  TRtSimpleMapi(const TRtSimpleMapi&) = delete;
  TRtSimpleMapi& operator=(const TRtSimpleMapi&) = delete;

  bool AnyClientInstalled = false;
  bool ExtendedMapiInstalled = false;
  bool SimpleMapiInstalled = false;
  QString MapiVersion;
  QList<TRtMapiClient> Clients;
  int DefaultClientIndex = -1;
  int SelectedClientIndex = -1;
  TConnectKind ConnectKind = ckAutomatic;
  QString DefaultProfile;
  QStringList Profiles;
  // Called just before the library is unloaded.
  std::function<void()> BeforeUnload;

  // The stand-in of the system's "mapi32.dll": our library beside the program.
  static QString SystemLibraryPath();
  // True when the file is a library that exports all 12 entry points.
  static bool IsUsableClientLibrary(const QString& path);
  // The library a send loads now. Raises ERtMapiError when no library applies.
  QString LibraryToLoad() const;
  // Loads the library once; raises EOSError when it cannot be loaded and
  // ERtMapiError when it misses an entry point.
  void LoadClientLibrary();
  void UnloadClientLibrary();
  bool ClientLibraryLoaded() const { return library_ != nullptr; }
  void* EntryPoint(int index) const { return entryPoints_[index]; }

  // Returns 0, and 1 when a cancel is allowed; raises ERtMapiError for any other code.
  static int CheckResult(int code, bool cancelAllowed);

private:
  void ReadSetup();
  void* library_ = nullptr;
  void* entryPoints_[12] = {};
};

struct TRtEmailRecip {
  enum TKind { rkOriginator, rkTo, rkCopy, rkBlindCopy };
  QString Address;
  QString AddressType;
  TKind Kind = rkTo;
  QString Name;
};

class TRtEmailRecips {
public:
  QString AddressType = QStringLiteral("SMTP");
  QList<TRtEmailRecip> Items;
};

class TRtEmail : public TRtSimpleMapi {
public:
  TRtEmail();
  ~TRtEmail() override;

  TRtEmailRecips Recipients;
  QString Subject;
  QStringList Attachments;
  bool BodyIsHtml = false;
  quint32 LogonFlags;
  quintptr Session = 0;
  QString SavedMessageId;

  // The address is stored trimmed.
  void AddRecipient(const QString& address, const QString& name = QString(),
                    TRtEmailRecip::TKind kind = TRtEmailRecip::rkTo, const QString& addressType = QString());
  // A non-empty body gets CR LF appended unless it ends with it.
  void SetBody(const QString& body);
  const QString& Body() const { return body_; }
  void SetParentWindow(QWidget* window);
  // The window set, else a visible top-level window of this process.
  QWidget* ParentWindow() const;

  // True when the client took the message, false when the user cancelled in
  // it; ERtMapiError for every other failure.
  bool Send(bool showDialog);
  void Logoff();

private:
  QString body_;
  QWidget* parentWindow_ = nullptr;
  bool parentWindowSet_ = false;
};

// Sends one message to one "to" recipient (address type "SMTP") with an
// optional attachment.
bool SendSimpleMail(const QString& address, const QString& name, const QString& subject, const QString& body,
                    const QString& attachment, bool showDialog, QWidget* parent);

// Creates the messaging key with "MAPI" and "MAPIX" = "1" when it is missing,
// so that the system's library (ours) is used.
void EnsureMessagingSubsystemKey();
