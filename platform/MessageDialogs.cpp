#include "platform/MessageDialogs.h"
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

namespace {

// The standard dialog opens centred on the screen (not on its parent) unless
// the caller gave it a place; the move happens before the window is mapped.
class TCentredMessageBox : public QMessageBox {
public:
  TCentredMessageBox(Icon icon, const QString& caption, const QString& text, bool centre)
      : QMessageBox(icon, caption, text, NoButton, QApplication::activeWindow()), centre_(centre) {}

protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (!centre_) return;
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The whole window, frame included, is centred, whatever the size of its text.
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }

private:
  bool centre_;
};

TStandardMessageDialogs& StandardService() {
  static TStandardMessageDialogs service;
  return service;
}

IMessageDialogService*& InstalledService() {
  static IMessageDialogService* service = nullptr;
  return service;
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::Warning:
    return QMessageBox::Warning;
  case TMsgDlgType::Error:
    return QMessageBox::Critical;
  case TMsgDlgType::Information:
    return QMessageBox::Information;
  case TMsgDlgType::Confirmation:
    return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QString ButtonCaption(TMsgDlgBtn button) {
  switch (button) {
  case mbYes:
    return QStringLiteral("&Ano");
  case mbNo:
    return QStringLiteral("&Nie");
  case mbOK:
    return QStringLiteral("OK");
  case mbCancel:
    return QStringLiteral("Storno");
  }
  return {};
}

QMessageBox::ButtonRole RoleOf(TMsgDlgBtn button) {
  switch (button) {
  case mbYes:
    return QMessageBox::YesRole;
  case mbNo:
    return QMessageBox::NoRole;
  case mbOK:
    return QMessageBox::AcceptRole;
  case mbCancel:
    return QMessageBox::RejectRole;
  }
  return QMessageBox::InvalidRole;
}

// The button that Esc and the close box press: Cancel, else No, else OK.
int EscapeResult(TMsgDlgButtons buttons) {
  if (buttons & mbCancel) return mrCancel;
  if (buttons & mbNo) return mrNo;
  if (buttons & mbOK) return mrOk;
  return mrCancel;
}

void ApplyColours(QMessageBox& box, const TMessageRequest& request) {
  if (!request.Background.isValid() && !request.TextColor.isValid()) return;
  QPalette palette = box.palette();
  if (request.Background.isValid()) palette.setColor(QPalette::Window, request.Background);
  if (request.TextColor.isValid()) palette.setColor(QPalette::WindowText, request.TextColor);
  box.setPalette(palette);
  box.setAutoFillBackground(true);
}

} // namespace

QString MessageDialogCaption(TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::Warning:
    return QStringLiteral("Upozornenie...");
  case TMsgDlgType::Error:
    return QStringLiteral("C H Y B A ...");
  case TMsgDlgType::Information:
    return QStringLiteral("Informácia...");
  case TMsgDlgType::Confirmation:
    return QStringLiteral("Potvrdenie...");
  }
  return {};
}

int ModalResultOfButton(TMsgDlgBtn button) {
  switch (button) {
  case mbYes:
    return mrYes;
  case mbNo:
    return mrNo;
  case mbOK:
    return mrOk;
  case mbCancel:
    return mrCancel;
  }
  return mrNone;
}

IMessageDialogService& MessageDialogs() {
  IMessageDialogService* service = InstalledService();
  return service ? *service : StandardService();
}

IMessageDialogService* SetMessageDialogService(IMessageDialogService* service) {
  return std::exchange(InstalledService(), service);
}

int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int defaultResult) {
  TMessageRequest request;
  request.Text = text;
  request.Type = type;
  request.Buttons = buttons;
  request.DefaultResult = defaultResult;
  return MessageDialogs().Show(request).ModalResult;
}

TMessageReply TStandardMessageDialogs::Show(const TMessageRequest& request) {
  TCentredMessageBox box(IconOf(request.Type), MessageDialogCaption(request.Type), request.Text,
                         !request.Position.has_value());
  ApplyColours(box, request);
  std::vector<std::pair<QAbstractButton*, int>> results;
  for (TMsgDlgBtn button : {mbYes, mbNo, mbOK, mbCancel}) {
    if (!(request.Buttons & button)) continue;
    QPushButton* push = box.addButton(ButtonCaption(button), RoleOf(button));
    const int result = ModalResultOfButton(button);
    results.emplace_back(push, result);
    if (result == request.DefaultResult) {
      box.setDefaultButton(push);
      push->setFocus();
    }
    if (result == EscapeResult(request.Buttons)) box.setEscapeButton(push);
  }
  if (request.Position) box.move(*request.Position);
  box.exec();
  TMessageReply reply{EscapeResult(request.Buttons), box.pos()};
  for (const auto& [button, result] : results)
    if (box.clickedButton() == button) reply.ModalResult = result;
  return reply;
}

namespace {

// Scripted services live in tests, often one replacing another
// (`dialogs = std::make_unique<...>()` destroys the old one after the new one
// is made): the newest living one answers, and the service from before the
// first one comes back only when the last one goes.
QList<TScriptedMessageDialogs*>& LivingScripts() {
  static QList<TScriptedMessageDialogs*> scripts;
  return scripts;
}
IMessageDialogService* serviceBeforeScripts = nullptr;

} // namespace

TScriptedMessageDialogs::TScriptedMessageDialogs(QList<int> answers) : answers_(std::move(answers)) {
  IMessageDialogService* previous = SetMessageDialogService(this);
  if (LivingScripts().isEmpty()) serviceBeforeScripts = previous;
  LivingScripts().append(this);
}

TScriptedMessageDialogs::~TScriptedMessageDialogs() {
  LivingScripts().removeOne(this);
  SetMessageDialogService(LivingScripts().isEmpty() ? serviceBeforeScripts : LivingScripts().last());
}

TMessageReply TScriptedMessageDialogs::Show(const TMessageRequest& request) {
  requests_.append(request);
  return {answers_.isEmpty() ? mrNone : answers_.takeFirst(), request.Position};
}
