#pragma once
#include <QtCore/QFlags>
#include <QtCore/QList>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <optional>

// The message-dialog service: every message box of the program goes through
// the installed service, so tests answer dialogs without a modal loop.

enum class TMsgDlgType { Warning, Error, Information, Confirmation };

enum TMsgDlgBtn { mbYes = 0x1, mbNo = 0x2, mbOK = 0x4, mbCancel = 0x8 };
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMsgDlgButtons)

// Modal results of the message dialogs: the forms' own (mrOk 1, mrCancel 2,
// mrYes 6, mrNo 7), so that both headers can meet in one file.
#include "core/ui/Form.h"

// One message to show. Without a position the dialog is centred on the
// screen; invalid colours keep the normal window colours.
struct TMessageRequest {
  QString Text;
  TMsgDlgType Type = TMsgDlgType::Information;
  TMsgDlgButtons Buttons = mbOK;
  int DefaultResult = mrNone; // the button with this result is the default and has the focus
  std::optional<QPoint> Position;
  QColor Background;
  QColor TextColor;
};

struct TMessageReply {
  int ModalResult = mrNone;
  // Where the dialog's top-left corner was when it closed (for dialogs that
  // remember their position); empty when the dialog never showed.
  std::optional<QPoint> ClosedAt;
};

class IMessageDialogService {
public:
  virtual ~IMessageDialogService() = default;
  virtual TMessageReply Show(const TMessageRequest& request) = 0;
};

// The Slovak caption of a dialog type ("Upozornenie...", "C H Y B A ...", ...).
QString MessageDialogCaption(TMsgDlgType type);
// The modal result of a button (mbYes 6, mbNo 7, mbOK 1, mbCancel 2).
int ModalResultOfButton(TMsgDlgBtn button);

// The installed service (the standard dialogs unless a test installed another).
IMessageDialogService& MessageDialogs();
// Installs a service (nullptr: the standard one again); returns the previous one.
IMessageDialogService* SetMessageDialogService(IMessageDialogService* service);

// Shows a message through the installed service and returns the modal result.
int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int defaultResult = mrNone);

// The standard dialog: a QMessageBox with the Slovak captions and buttons
// "&Ano", "&Nie", "OK", "Storno". Esc and the close box answer Cancel, or No,
// or OK, whichever of them the dialog has.
class TStandardMessageDialogs : public IMessageDialogService {
public:
  TMessageReply Show(const TMessageRequest& request) override;
};

// For tests: installs itself for its lifetime, records every request and
// answers with the queued results in order (mrNone once the queue is empty).
class TScriptedMessageDialogs : public IMessageDialogService {
public:
  explicit TScriptedMessageDialogs(QList<int> answers = {});
  ~TScriptedMessageDialogs() override;
  TScriptedMessageDialogs(const TScriptedMessageDialogs&) = delete;
  TScriptedMessageDialogs& operator=(const TScriptedMessageDialogs&) = delete;

  void Queue(int answer) { answers_.append(answer); }
  const QList<TMessageRequest>& Requests() const { return requests_; }
  TMessageReply Show(const TMessageRequest& request) override;

private:
  QList<int> answers_;
  QList<TMessageRequest> requests_;
};
