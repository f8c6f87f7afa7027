#pragma once
#include <QtCore/QObject>
#include <QtCore/QString>
#include <functional>

class TrpReport;
class QWidget;

// The companion component through which a program configures the designer.
// At most one exists in a process; the designer works at these defaults
// while there is none.
class TrpDesigner : public QObject {
  Q_OBJECT
public:
  // Raises Exception when one exists already (which stays registered).
  explicit TrpDesigner(QObject* owner = nullptr);
  ~TrpDesigner() override;
  // The one component, or null.
  static TrpDesigner* Instance();

  bool CloseQuery = true;          // ask to save changes when the window closes
  bool HideDisabledButtons = true; // disabled tool buttons hide instead of greying
  QString TemplateDir, OpenDir, SaveDir;
  // When set they replace the designer's own file dialogs.
  std::function<void(TrpReport& report, QString& fileName, bool& done)> OnLoadReport;
  std::function<void(TrpReport& report, QString& fileName, bool saveAs, bool& done)> OnSaveReport;
  std::function<void(QWidget* designer)> OnShow;
};

// Whether closing the designer asks to save: only a modified template, and
// not when the component switched the question off.
bool rpDesignerAsksToSave(bool modified, bool editingTemplate, const TrpDesigner* designer);
