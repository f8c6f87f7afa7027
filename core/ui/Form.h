#pragma once
#include <QtWidgets/QDialog>
#include <functional>

class QKeyEvent;

// Modal results of the program's dialogs.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};
// The register dialogs' "save and continue" result shares the value 4.
constexpr int mrSaveAndContinue = 4;

// What happens to a form that is being closed.
enum class TCloseAction { None, Hide, Free, Minimize };

// The window base class of every form. It carries the caption, the Tag, the
// modal result and the show/activate/close hooks that the forms override, and
// key preview: with KeyPreview on, FormKeyDown sees every key pressed in any
// of the form's controls before the control does.
class TForm : public QDialog {
  Q_OBJECT
public:
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on);

  int ModalResult() const { return modalResult_; }
  // A non-zero result ends a modal run with that result, through the close
  // query and close hook (a refused close clears the result).
  void SetModalResult(int result);
  // Shows the form modally; returns the modal result (mrCancel when closed by
  // the window's close button or Esc without another result).
  int ShowModal();
  // Asks FormCloseQuery, then applies FormClose's action; returns whether the
  // form closed.
  bool Close() { return close(); }

  void done(int result) override;
  void setVisible(bool visible) override;
  void accept() override { SetModalResult(mrOk); }
  void reject() override;

signals:
  // Sent first thing in the destructor, while the window and its children
  // are still whole (the form placement saves a form freed while shown).
  void Destroying();

protected:
  virtual void FormShow() {}
  virtual void FormActivate() {}
  // Set `canClose` false to keep the form open.
  virtual void FormCloseQuery(bool& canClose) {}
  virtual void FormClose(TCloseAction& action) {}
  // Return true to consume the key (the control does not see it).
  virtual bool FormKeyDown(QKeyEvent* event) { return false; }
  // The keys of a form that saves or cancels: Esc runs `cancel`, F12 runs
  // `save` when there is one, neither while Shift, Ctrl or Alt is held (they
  // stay the controls' shortcuts). True when the key was taken.
  static bool SaveCancelKeyDown(QKeyEvent* event, const std::function<void()>& cancel,
                                const std::function<void()>& save = {});

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // A form whose width may grow is made wide enough for its caption.
  void FitCaption();
  // The key press last seen and the widget it reaches next if unaccepted
  // (compared, never dereferenced).
  struct PreviewedKey {
    const QKeyEvent* event = nullptr;
    quint64 timestamp = 0;
    int key = 0;
    const QWidget* nextReceiver = nullptr;
  };
  PreviewedKey lastPreviewed_;
  int tag_ = 0;
  int modalResult_ = mrNone;
  bool keyPreview_ = false;
  bool inModalRun_ = false;
};
