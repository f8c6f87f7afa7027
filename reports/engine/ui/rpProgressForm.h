#pragma once
#include "core/ui/Form.h"
#include <exception>
#include <functional>

class QLabel;
class QPushButton;
class TrpReport;

// The window shown modally while a report builds, prints or exports: it runs
// the work once it has appeared, shows the page line the work writes through
// TrpGlobals::ProgressText, and its cancel button (or Esc) sets the report's
// Terminated. Execute answers 1 when the work ended, 2 when it was cancelled, and
// raises again what the work raised.
class TrpProgressForm : public TForm {
  Q_OBJECT
public:
  explicit TrpProgressForm(QWidget* parent = nullptr);
  ~TrpProgressForm() override;

  int Execute(TrpReport& report, const QString& caption, const std::function<void()>& work);

  QLabel* Label1;
  QLabel* Label2;
  QPushButton* Button1;

public slots:
  void reject() override { Button1Click(); }

private:
  void StartBuildMessage();
  void Button1Click();

  TrpReport* report_ = nullptr;
  std::function<void()> work_;
  bool running_ = false;
  std::exception_ptr failure_;
};
