#pragma once
#include <QtCore/QFlags>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QRect>
#include <QtCore/QString>

class QWidget;
class TRegistry;

enum TPlacementOption { fpState = 0x1, fpPosition = 0x2, fpActiveControl = 0x4 };
Q_DECLARE_FLAGS(TPlacementOptions, TPlacementOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPlacementOptions)

// The registry roots a placement may use (the program uses the current user's).
enum class TPlacementRegRoot { prCurrentUser, prLocalMachine };

// Minimum and maximum tracking limits; all zero means not set. Kept as form
// data only: no form sets them and they are not applied.
struct TUxWinMinMaxInfo {
  int MaxPosLeft = 0, MaxPosTop = 0, MaxSizeHeight = 0, MaxSizeWidth = 0;
  int MaxTrackHeight = 0, MaxTrackWidth = 0, MinTrackHeight = 0, MinTrackWidth = 0;
  bool IsSet() const { return *this != TUxWinMinMaxInfo{}; }
  bool operator==(const TUxWinMinMaxInfo&) const = default;
};

// Remembers where its form was on the screen (and, with fpState, its window
// state) in the current user's registry: restored when the form is shown,
// stored when it is hidden (closed), or when a TForm is destroyed while shown
// ("Visible" is then "1"). It also serves the form as
// a small store of strings and integers in the form's own section
// ("Software\<executable>\<form class>"), usable at any time:
//
//   fp->WriteString(QStringLiteral("SQLCommand"), text);
//   const int page = fp->ReadInteger(QStringLiteral("pc1.ActivePageIndex"), 0);
//
// A placement created with a control (not a form) as owner hooks nothing and
// serves only the value store, in the section of that control (form class
// name + control name, e.g. "TfrmCClenovgr1").
class TUxFormPlacement : public QObject {
  Q_OBJECT
public:
  // Owned by `owner`; when the owner is a window the placement hooks its
  // show, hide and destruction and defaults to fpState and fpPosition.
  explicit TUxFormPlacement(QObject* owner);
  ~TUxFormPlacement() override;

  bool Active() const { return active_; }
  void SetActive(bool on) { active_ = on; }
  QString IniFileName() const { return iniFileName_; }
  void SetIniFileName(const QString& key) { iniFileName_ = key; }
  QString IniSection() const { return iniSection_; }
  void SetIniSection(const QString& section) { iniSection_ = section; }
  TPlacementOptions Options() const { return options_; }
  void SetOptions(TPlacementOptions options) { options_ = options; }
  bool UseRegistry() const { return useRegistry_; }
  void SetUseRegistry(bool on) { useRegistry_ = on; }
  int Version() const { return version_; }
  void SetVersion(int version) { version_ = version; }
  bool PreventResize() const { return preventResize_; }
  void SetPreventResize(bool on) { preventResize_ = on; }
  TPlacementRegRoot RegistryRoot() const { return registryRoot_; }
  void SetRegistryRoot(TPlacementRegRoot root) { registryRoot_ = root; }
  TUxWinMinMaxInfo& MinMaxInfo() { return minMaxInfo_; }

  // The key ("Software\" + IniFileName, else the executable's name) and the
  // section (IniSection, else the owner's default section).
  QString StoreKey() const;
  QString Section() const;

  // Per-form values. Reads give `defaultValue` when the value is missing
  // (integers also when it is not a decimal number); writes create the
  // section and raise Exception when the registry cannot be written.
  QString ReadString(const QString& ident, const QString& defaultValue = QString());
  void WriteString(const QString& ident, const QString& value);
  int ReadInteger(const QString& ident, int defaultValue = 0);
  void WriteInteger(const QString& ident, int value);

  // Run by the placement itself from its form's events.
  void SaveToStore(bool destroying = false);
  void RestoreFromStore();

signals:
  void OnSavePlacement();
  void OnRestorePlacement();

protected:
  virtual void StorePlacement(bool destroying);
  virtual void ApplyStoredPlacement();
  virtual QString ReadSectionString(const QString& section, const QString& ident, const QString& defaultValue);
  virtual void WriteSectionString(const QString& section, const QString& ident, const QString& value);

  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  TRegistry& Store() const;
  QWidget* Form() const;
  void FormDestroyed();
  template <class Action> void Guarded(Action action);

  QPointer<QWidget> form_;
  QString iniFileName_;
  QString iniSection_;
  QString shownSection_; // the section as it was when the form was shown
  TUxWinMinMaxInfo minMaxInfo_;
  TPlacementOptions options_;
  TPlacementRegRoot registryRoot_ = TPlacementRegRoot::prCurrentUser;
  int version_ = 0;
  bool active_ = true;
  bool useRegistry_ = false;
  bool preventResize_ = false;
  bool restored_ = false;
  bool saved_ = false;
  bool storeOpen_ = false;
};

// "Software\" + the executable's file name without its extension.
QString DefaultStoreKey();
// The section of a component: a form's class name; a control's name after
// its form's class name (or its parent's name when on no form); another
// component's form class name, ".", and its name.
QString DefaultStoreSection(const QObject* component);
// Writes and reads a form's window placement in `section` of `store` under
// `key` (values "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos", "NormPos").
void WriteWindowPlacement(QWidget* form, TRegistry& store, const QString& key, const QString& section);
void ReadWindowPlacement(QWidget* form, TRegistry& store, const QString& key, const QString& section, bool loadState,
                         bool loadPosition);
// The screen-size suffix of position values, e.g. "(1024x768)".
QString ScreenSizeSuffix(const QWidget* form);
