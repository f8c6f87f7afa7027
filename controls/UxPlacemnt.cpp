#include "controls/UxPlacemnt.h"
#include "controls/KitMessages.h"
#include "core/Exception.h"
#include "core/ui/Form.h"
#include "platform/base/Registry.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtCore/QScopeGuard>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

namespace {

// Window show commands as the stored values know them.
constexpr int swHide = 0, swShowNormal = 1, swShowMinimized = 2, swShowMaximized = 3;

QString ReadValue(TRegistry& store, const QString& key, const QString& name) {
  const std::optional<TRegValue> value = store.ReadValue(key, name);
  if (!value) return {};
  return value->Type == TRegValueType::Dword ? QString::number(value->Dword) : value->Text;
}

bool HasValue(TRegistry& store, const QString& key, const QString& name) {
  return store.ReadValue(key, name).has_value();
}

void WriteValue(TRegistry& store, const QString& key, const QString& name, const QString& text) {
  if (!store.WriteValue(key, name, TRegValue::String(text), true))
    throw Exception(QStringLiteral("Nie je možné zapísať hodnotu \"%1\" do registra (%2).").arg(name, key));
}

// The numbers of a position text: its words separated by blanks or commas;
// a missing or bad word gives `fallback`.
int PositionNumber(const QString& text, int index, int fallback) {
  static const QRegularExpression separators(QStringLiteral("[ ,]+"));
  const QStringList words = text.split(separators, Qt::SkipEmptyParts);
  if (index >= words.size()) return fallback;
  bool ok = false;
  const int value = words.at(index).toInt(&ok);
  return ok ? value : fallback;
}

// The position value with the current screen-size suffix, else the one without.
std::optional<QString> ReadPosition(TRegistry& store, const QString& key, const QString& name, const QWidget* form) {
  const QString withSuffix = name + ScreenSizeSuffix(form);
  if (HasValue(store, key, withSuffix)) return ReadValue(store, key, withSuffix);
  if (HasValue(store, key, name)) return ReadValue(store, key, name);
  return std::nullopt;
}

void WritePosition(TRegistry& store, const QString& key, const QString& name, const QWidget* form,
                   const QString& text) {
  WriteValue(store, key, name + ScreenSizeSuffix(form), text);
  WriteValue(store, key, name, text);
}

QString FourNumbers(int a, int b, int c, int d) { return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d); }

int PixelsPerInch(const QWidget* form) {
  const QScreen* screen = form->screen();
  return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

bool IsSizeable(const QWidget* form) {
  return form->minimumSize() != form->maximumSize() && !form->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
}

// The frame around the client area (title bar and borders).
QMargins FrameMargins(const QWidget* form) {
  const QRect frame = form->frameGeometry();
  const QRect client = form->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

// The normal (restored) window rectangle, frame included.
QRect NormalFrameRect(const QWidget* form) {
  const QRect client = form->isMaximized() || form->isMinimized() ? form->normalGeometry() : form->geometry();
  return client.marginsAdded(FrameMargins(form));
}

QString ExecutableBaseName() {
  const QString path = QCoreApplication::applicationFilePath();
  return path.isEmpty() ? QCoreApplication::applicationName() : QFileInfo(path).completeBaseName();
}

} // namespace

QString DefaultStoreKey() { return QStringLiteral("Software\\") + ExecutableBaseName(); }

QString DefaultStoreSection(const QObject* component) {
  const auto* widget = qobject_cast<const QWidget*>(component);
  if (widget && widget->isWindow()) return QString::fromLatin1(widget->metaObject()->className());
  if (widget) {
    const QWidget* form = widget->window();
    if (form && form != widget) return QString::fromLatin1(form->metaObject()->className()) + widget->objectName();
    return (widget->parentWidget() ? widget->parentWidget()->objectName() : QString()) + widget->objectName();
  }
  const auto* owner = component->parent() ? qobject_cast<const QWidget*>(component->parent()) : nullptr;
  const QWidget* form = owner ? owner->window() : nullptr;
  const QString formName = form ? QString::fromLatin1(form->metaObject()->className()) : QString();
  return formName + QLatin1Char('.') + component->objectName();
}

QString ScreenSizeSuffix(const QWidget* form) {
  const QScreen* screen = form->screen();
  const QSize size = screen ? screen->geometry().size() : QSize();
  return QStringLiteral("(%1x%2)").arg(size.width()).arg(size.height());
}

void WriteWindowPlacement(QWidget* form, TRegistry& store, const QString& key, const QString& section) {
  const QString path = key + QLatin1Char('\\') + section;
  const int showCmd = form->isMinimized() ? swShowMinimized : form->isMaximized() ? swShowMaximized : swShowNormal;
  const QRect normal = NormalFrameRect(form);
  const QMargins frame = FrameMargins(form);
  WriteValue(store, path, QStringLiteral("Flags"), QStringLiteral("0"));
  WriteValue(store, path, QStringLiteral("ShowCmd"), QString::number(showCmd));
  WriteValue(store, path, QStringLiteral("PixelsPerInch"), QString::number(PixelsPerInch(form)));
  // The minimized position is never set; the maximized one is the
  // frame-sized offset that a restore puts there.
  WritePosition(store, path, QStringLiteral("MinMaxPos"), form, FourNumbers(-1, -1, -frame.left(), -frame.top()));
  WritePosition(
      store, path, QStringLiteral("NormPos"), form,
      FourNumbers(normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height()));
}

void ReadWindowPlacement(QWidget* form, TRegistry& store, const QString& key, const QString& section, bool loadState,
                         bool loadPosition) {
  const QString path = key + QLatin1Char('\\') + section;
  if (loadPosition) {
    const std::optional<QString> minMax = ReadPosition(store, path, QStringLiteral("MinMaxPos"), form);
    const std::optional<QString> norm = ReadPosition(store, path, QStringLiteral("NormPos"), form);
    const QString ppiText = ReadValue(store, path, QStringLiteral("PixelsPerInch"));
    bool ok = false;
    int ppi = ppiText.toInt(&ok);
    if (!ok) ppi = PixelsPerInch(form);
    if ((minMax || norm) && ppi == PixelsPerInch(form) && norm) {
      const QRect current = NormalFrameRect(form);
      const int left = PositionNumber(*norm, 0, current.left());
      const int top = PositionNumber(*norm, 1, current.top());
      const int right = PositionNumber(*norm, 2, current.left() + current.width());
      const int bottom = PositionNumber(*norm, 3, current.top() + current.height());
      if (right > left) {
        // The stored rectangle is the frame's; the client area sits inside it.
        const QMargins frame = FrameMargins(form);
        QRect client = QRect(left, top, right - left, bottom - top).marginsRemoved(frame);
        if (!IsSizeable(form)) client.setSize(form->size());
        form->setGeometry(client);
      }
    }
  }
  if (loadState) {
    const int showCmd = ReadValue(store, path, QStringLiteral("ShowCmd")).toInt();
    Qt::WindowStates state = form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (showCmd == 2 || showCmd == 6 || showCmd == 7)
      state |= Qt::WindowMinimized;
    else if (showCmd == 3)
      state |= Qt::WindowMaximized;
    if (showCmd != swHide) form->setWindowState(state);
  }
  form->update();
}

// ---------------------------------------------------------------- placement

TUxFormPlacement::TUxFormPlacement(QObject* owner) : QObject(owner) {
  auto* widget = qobject_cast<QWidget*>(owner);
  if (widget && widget->isWindow()) {
    form_ = widget;
    options_ = fpState | fpPosition;
    widget->installEventFilter(this);
    // Only the form base tells of its destruction while the window is whole.
    if (auto* form = qobject_cast<TForm*>(widget))
      connect(form, &TForm::Destroying, this, &TUxFormPlacement::FormDestroyed);
  }
}

TUxFormPlacement::~TUxFormPlacement() {
  if (form_) form_->removeEventFilter(this);
}

QWidget* TUxFormPlacement::Form() const { return form_; }

TRegistry& TUxFormPlacement::Store() const {
  return TRegistry::Root(registryRoot_ == TPlacementRegRoot::prLocalMachine ? TRegRoot::LocalMachine
                                                                            : TRegRoot::CurrentUser);
}

QString TUxFormPlacement::StoreKey() const {
  return iniFileName_.isEmpty() ? DefaultStoreKey() : QStringLiteral("Software\\") + iniFileName_;
}

QString TUxFormPlacement::Section() const {
  if (!iniSection_.isEmpty()) return iniSection_;
  // While the form is destroyed its class name is already that of a base.
  if (!shownSection_.isEmpty()) return shownSection_;
  return DefaultStoreSection(form_ ? static_cast<const QObject*>(form_.data()) : parent());
}

QString TUxFormPlacement::ReadSectionString(const QString& section, const QString& ident, const QString& defaultValue) {
  const QString path = StoreKey() + QLatin1Char('\\') + section;
  return HasValue(Store(), path, ident) ? ReadValue(Store(), path, ident) : defaultValue;
}

void TUxFormPlacement::WriteSectionString(const QString& section, const QString& ident, const QString& value) {
  WriteValue(Store(), StoreKey() + QLatin1Char('\\') + section, ident, value);
}

QString TUxFormPlacement::ReadString(const QString& ident, const QString& defaultValue) {
  // The key is created when it is opened, for reading as well.
  if (!storeOpen_) Store().CreateKey(StoreKey());
  return ReadSectionString(Section(), ident, defaultValue);
}

void TUxFormPlacement::WriteString(const QString& ident, const QString& value) {
  WriteSectionString(Section(), ident, value);
}

int TUxFormPlacement::ReadInteger(const QString& ident, int defaultValue) {
  bool ok = false;
  const int value = ReadString(ident, QString()).trimmed().toInt(&ok);
  return ok ? value : defaultValue;
}

void TUxFormPlacement::WriteInteger(const QString& ident, int value) { WriteString(ident, QString::number(value)); }

void TUxFormPlacement::StorePlacement(bool destroying) {
  QWidget* form = Form();
  if (!form) return;
  if (options_ & (fpState | fpPosition)) {
    WriteWindowPlacement(form, Store(), StoreKey(), Section());
    WriteSectionString(Section(), QStringLiteral("Visible"), destroying ? QStringLiteral("1") : QStringLiteral("0"));
  }
  if ((options_ & fpActiveControl) && form->focusWidget())
    WriteSectionString(Section(), QStringLiteral("ActiveControl"), form->focusWidget()->objectName());
}

void TUxFormPlacement::ApplyStoredPlacement() {
  if (QWidget* form = Form())
    ReadWindowPlacement(form, Store(), StoreKey(), Section(), options_.testFlag(fpState),
                        options_.testFlag(fpPosition));
}

void TUxFormPlacement::SaveToStore(bool destroying) {
  if (active_ && !restored_) return;
  storeOpen_ = true;
  const auto close = qScopeGuard([this] { storeOpen_ = false; });
  Store().CreateKey(StoreKey());
  WriteSectionString(Section(), QStringLiteral("FormVersion"), QString::number(version_));
  StorePlacement(destroying);
  emit OnSavePlacement();
  saved_ = true;
}

void TUxFormPlacement::RestoreFromStore() {
  shownSection_.clear();
  shownSection_ = Section();
  saved_ = false;
  storeOpen_ = true;
  const auto close = qScopeGuard([this] { storeOpen_ = false; });
  Store().CreateKey(StoreKey());
  bool ok = false;
  int stored = ReadSectionString(Section(), QStringLiteral("FormVersion"), QStringLiteral("0")).toInt(&ok);
  if (!ok) stored = 0;
  if (stored >= version_) {
    ApplyStoredPlacement();
    emit OnRestorePlacement();
    if ((options_ & fpActiveControl) && Form()) {
      const QString name = ReadSectionString(Section(), QStringLiteral("ActiveControl"), QString());
      auto* control = name.isEmpty() ? nullptr : Form()->findChild<QWidget*>(name);
      if (control && control->isEnabled() && control->focusPolicy() != Qt::NoFocus) control->setFocus();
    }
  }
  restored_ = true;
}

template <class Action> void TUxFormPlacement::Guarded(Action action) {
  // The form still shows or closes; the error goes to the standard display.
  try {
    action();
  } catch (const Exception& error) {
    ShowKitError(error.Message());
  }
}

bool TUxFormPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched == form_ && !event->spontaneous()) {
    if (event->type() == QEvent::Show && active_) Guarded([this] { RestoreFromStore(); });
    if (event->type() == QEvent::Hide && active_) {
      Guarded([this] { SaveToStore(); });
      restored_ = false;
    }
  }
  return QObject::eventFilter(watched, event);
}

void TUxFormPlacement::FormDestroyed() {
  // A form destroyed while shown has not been saved by its closing.
  if (active_ && restored_ && !saved_) Guarded([this] { SaveToStore(true); });
  form_ = nullptr;
}
