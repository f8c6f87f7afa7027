#pragma once
#include "core/Color.h"
#include "core/ui/Form.h"
#include "reports/designer/rpDesignerFiles.h"
#include "reports/designer/rpDesignerMouse.h"
#include "reports/designer/rpDesignerSelection.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/designer/rpDesignerUndo.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/designer/rpInspForm.h"
#include "reports/engine/rpReportDesigner.h"
#include <QtCore/QHash>
#include <QtCore/QPointer>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QScrollArea;
class QTabBar;
class TrpDesignerPage;
class TrpDesignerStatus;
class TrpDock;
class TrpInspForm;
class TrpObjEditorForm;
class TrpObject;
class TrpPageForm;
class TrpReport;
class TrpSpeedButton;
class TrpToolBar;
class TrpBandView;
class TrpComboBox;
class TColorSelector;
class QFrame;
class TrpFontComboBox;
struct TrpAttributeInput;

// The report designer's window on a report template (template mode) or on
// the one page the engine made from a prepared page: the page workspace
// with its tabs and status line, six dockable tool bars, the palette and
// the menus. It is the engine's open designer while it lives.
class TrpDesignerForm : public TForm, public TrpReportDesigner {
  Q_OBJECT
public:
  TrpDesignerForm(TrpReport& report, bool editingTemplate, QWidget* parent = nullptr);
  ~TrpDesignerForm() override;

  // --- the engine's designer interface
  bool GetModified() const override;
  void SetModified(bool modified) override;
  // Records an undo step of the kind modify for the selection.
  void BeforeChange() override;
  void AfterChange() override;
  void RedrawPage() override;
  void SelectObject(TrpView* object) override;
  // Clears the selection and the inspector and detaches the page views;
  // SetCurrentPage shows a page again.
  void ReleasePages() override;
  // The expression builder and the field chooser; empty when nothing was chosen.
  QString InsertExpression() override;
  QString InsertDBField() override;
  // An object of the current page by name (without case), else "Page" and a
  // page number from 1 makes that page current.
  void SelectObjectByName(const QString& name);

  TrpReport& Report() const { return report_; }
  int CurrentPageIndex() const { return currentPageIndex_; }
  void SetCurrentPage(int index);
  QString FileName() const { return fileName_; }
  const TrpDesignerSettings& Settings() const { return settings_; }
  TrpDesignerSelection& Selection() { return selection_; }

  // Installs the command's handler (later parts of the designer fill theirs);
  // a command without one stays disabled.
  void SetCommandHandler(const QString& command, std::function<void()> handler);
  QAction* MenuItem(const QString& name) const { return menuItems_.value(name); }
  QWidget* Control(const QString& name) const { return controls_.value(name); }
  TrpToolBar* ToolBar(const QString& name) const { return toolBars_.value(name); }
  TrpDesignerPage* Workspace() const { return workspace_; }
  TrpDesignerStatus* StatusLine() const { return status_; }
  QTabBar* Tabs() const { return tabs_; }
  QMenu* TabMenu() const { return tabMenu_; }
  TrpPageForm* PageForm() const { return pageForm_; }
  TrpInsFieldsForm* FieldsWindow() const { return fieldsWindow_; }
  TrpInspForm* Inspector() const { return inspector_; }
  // Fills the inspector with the properties the selected objects share
  // (empty where their values differ), or the page's when nothing is selected.
  void RefreshInspector();
  // Opens the window of data sets and fields, or closes it.
  void ShowFieldsWindow(bool show);

  // --- editors (rpDesignerFormEditors.cpp)
  // The text editor the "SyntaxHighlight" setting chose; changing the
  // setting replaces it with the other one.
  TrpObjEditorForm* TextEditor() const { return textEditor_.get(); }
  void SetSyntaxHighlight(bool on);
  // The text editor on the object, or on the last selected one; answers its modal result.
  int OpenTextEditor(TrpView* object = nullptr);
  // The editor of the last selected object (double click, Enter, the edit command).
  void EditObject();
  // The band's data source or group editor (none for other bands); answers
  // the modal result, mrNone when the band has no editor.
  int EditBand(TrpBandView* band);
  // Installs the editor the engine's property records open for a property
  // ("Memo", "Tag", "Font" ...); a property without one opens nothing.
  void SetPropertyEditor(const QString& property, std::function<void(TrpObject* object)> editor);

  // Writes the template into FileName (an untitled report goes through save
  // as); an error is shown and leaves the report modified.
  bool Save();
  // Appends a page and opens the page options on it; cancelling them takes
  // the page away again (without a page options dialog the default paper stands).
  void AddPage();
  // The page options dialog tells that it was confirmed.
  void SetPageOptionsAccepted(bool accepted) { pageOptionsAccepted_ = accepted; }

  // --- options (rpDesignerFormOptions.cpp)
  // The current page's paper, margins, columns and source; OK stores them
  // (and tells AddPage that the new page stays).
  void PageOptions();
  // The report's printer, two passes, password and information.
  void ReportOptions();
  // The designer's grid, units, drawing and page position, the editors' fonts.
  void DesignerOptions();

  // --- commands on the whole report (rpDesignerFileCommands.cpp)
  void NewReport();
  // Asks to save changes first, then replaces the report by the chosen template, untitled.
  void NewFromTemplate();
  void OpenReport();
  // Loads a template, or only the data dictionary (which marks the report modified).
  bool OpenFile(const QString& file, bool dictionary);
  bool SaveAs();
  // Writes the report in one of the save-as formats; false when cancelled or failed.
  bool SaveAsFile(const QString& file, TrpSaveKind kind);
  void ShowAbout();
  void InsertDBFields();
  // The data dictionary editor (rpDesignerDictionary.cpp); OK marks the report modified.
  void EditDictionary();
  void AddDialogForm();
  // Asks first; nothing happens when the report has one page.
  void DeletePage();
  // Applies the enabling of every command to its menu items and buttons.
  void UpdateEnabling();
  // A key pressed in the dialog page window: the clipboard keys become
  // those the designer handles, Ctrl+A selects all, the rest passes as is.
  void DialogPageKeyDown(QKeyEvent* event);
  void UpdateStatus();
  void NextUnits();
  // --- attribute tool bars (rpDesignerFormAttributes.cpp)
  // The colour selector under a colour button and the frame-style panel under StB1.
  TColorSelector* ColorSelector() const { return colorSelector_; }
  QFrame* LinePanel() const { return linePanel_; }
  // The colour a colour button ("ClB1" fill, "ClB2" font, "ClB3" frame) shows.
  TColor ButtonColor(const QString& button) const;
  // Applies an attribute control, by its tag (rpAttributeTag), to the
  // selected objects that may be modified, with one undo step; a box's text
  // that does not convert is shown as an error and changes nothing.
  void UseAttribute(int tag);
  // The font editor on the last selected text object: what is changed in it
  // goes to every selected text object that may be modified.
  void OpenFontEditor();
  // The highlight dialog on the selected text objects.
  void OpenHighlightEditor();

  // The help tool (rpDesignerFormTools.cpp): the next mouse press on the
  // window tells the hint and help topic of the control under it.
  void StartHelpTool();
  bool HelpToolActive() const { return helpToolActive_; }
  QString HelpText() const { return helpText_; }

  // --- editing with mouse and keys (rpDesignerEditing.cpp)
  TrpDesignerMouse& Mouse() { return mouseEditing_; }
  TrpDesignerUndo& UndoBuffers() { return undo_; }
  // Records an undo step of the objects (the selection's step objects when
  // none are given) and marks the report modified; only the latter with "DisableUndo".
  void RecordStep(TrpUndoAction action);
  void RecordStep(TrpUndoAction action, const QList<TrpView*>& objects);
  void Undo();
  void Redo();
  void SelectAll();
  void DeleteSelection();
  void CopySelection();
  void CutSelection();
  void PasteObjects();
  void Preview();

protected:
  void FormShow() override;
  void FormActivate() override;
  void FormCloseQuery(bool& canClose) override;
  bool FormKeyDown(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateMenus();
  void CreateToolBars();
  void CreatePalette(TrpToolBar* bar);
  void CreateExtraTools();
  void CreateAttributeDropDowns();
  void DropDownUnder(QWidget* dropDown, QWidget* button, bool show);
  void ToggleColorSelector(TrpSpeedButton* button, int tag);
  void ShowButtonColor(TrpSpeedButton* button, TColor color);
  void ShowSelectionColors();
  void ConnectAttributeControls();
  TrpAttributeInput AttributeInput(int tag) const;
  QAction* AddExtraTool(const QString& caption, const QImage& bitmap, std::function<void()> onClick);
  void ApplyGrayButtons();
  TrpSpeedButton* AddButton(TrpToolBar* bar, const QString& name, int hintId, const QString& glyph);
  TrpToolBar* AddToolBar(const QString& name, int captionId, TrpDock* dock);
  void ConnectCommands();
  void RunCommand(const QString& name);
  bool CommandEnabled(const QString& name) const;
  void SetControlEnabled(QWidget* control, bool enabled);
  void UpdateTabs();
  void PlaceWorkspace();
  void ShowDialogPageWindow(bool dialogPage);
  void FollowSelection();
  void ShowSelectionValues();
  void ToggleBar(int tag);
  void UpdateToolBarsMenu();
  void ShowContextMenu(const QPoint& globalPos);
  void ReadPositions();
  void WritePositions();
  void UpdateCaption();
  void CreateEditors();
  void CreatePropertyEditors();
  // The last selected object's contents may be edited (the checked editors open only then).
  bool LastSelectedEditable() const;
  void ChooseDataField();
  void EditDisplayFormat();
  void CreateBandEditors();
  void InstallEditors();
  void RemoveEditors();
  void OpenPropertyEditor(TrpObject* object, const QString& property);
  void WorkspaceDoubleClicked(TrpView* object, bool withCtrl);
  void ConnectEditing();
  void ConnectFileCommands();
  void ConnectOptions();
  // The save-changes question's answer.
  int AskSaveChanges();
  // The question when the report is modified; false when the command should stop.
  bool SaveChangesFirst();
  bool OpenTemplateFile(const QString& templateFile);
  void AfterReportReplaced();
  void ConnectPalette();
  void ArrangeSelection(TrpUndoAction action, const std::function<void()>& change);
  void AfterUndo();
  void ArrowKey(int dx, int dy, Qt::KeyboardModifiers modifiers);
  // The keys of editing on the page: Esc, Delete, Insert, arrows and the rest.
  bool EditingKey(QKeyEvent* event);
  void SelectTool(int tool);
  // A drag past the scroll box's visible part scrolls by as much as it lies beyond.
  void ScrollTowardMouse(QPoint point);

  TrpReport& report_;
  TrpDesignerSettings settings_;
  TrpDesignerSelection selection_;
  TrpDesignerMouse mouseEditing_{settings_, selection_};
  TrpDesignerUndo undo_;
  int currentPageIndex_ = -1;
  QString fileName_;
  bool firstShow_ = true;
  bool settingControls_ = false; // the attribute controls ignore their own changes meanwhile
  QPoint mouse_;

  QMenuBar* menuBar_ = nullptr;
  QMenu* contextMenu_ = nullptr;
  QMenu* tabMenu_ = nullptr;
  QMenu* toolBarsMenu_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  TrpDesignerPage* workspace_ = nullptr;
  TrpDesignerStatus* status_ = nullptr;
  QPointer<TrpPageForm> pageForm_;
  QPointer<TrpInsFieldsForm> fieldsWindow_;
  QPointer<TrpInspForm> inspector_;
  QList<TrpObject*> inspected_; // the selected objects, or the page
  // --- the inspector (rpDesignerFormInspector.cpp)
  void CreateInspector();
  void InspectedPropertyModified(int index);
  // A page property; "Type" of a page with objects asks before it clears the page.
  void WritePageProperty(const QString& name, const QVariant& value);
  // A property of every selected object, with one undo step, by the inspector's rules.
  void WriteObjectsProperty(const QString& name, const QVariant& value);
  // Stacks the inspector and the fields window where they lie over one another.
  void StackToolWindows();
  bool stackingToolWindows_ = false;
  TrpDock* topDock_ = nullptr;
  TrpDock* bottomDock_ = nullptr;
  TrpDock* leftDock_ = nullptr;
  TrpDock* rightDock_ = nullptr;
  TrpFontComboBox* fontName_ = nullptr;
  TrpComboBox* fontSize_ = nullptr;
  TrpComboBox* frameWidth_ = nullptr;
  QHash<QString, QAction*> menuItems_;
  QHash<QString, QWidget*> controls_;
  QHash<QString, TrpToolBar*> toolBars_;
  QHash<QString, std::function<void()>> handlers_;
  std::unique_ptr<TrpObjEditorForm> textEditor_;
  bool helpToolActive_ = false;
  TColorSelector* colorSelector_ = nullptr;
  QFrame* linePanel_ = nullptr;
  TrpSpeedButton* colorButton_ = nullptr; // the button the selector was opened from
  int colorButtonTag_ = 0;
  QHash<TrpSpeedButton*, TColor> buttonColors_;
  bool pageOptionsAccepted_ = false;
  QString helpText_;
  QHash<QString, std::function<void(TrpObject*)>> propertyEditors_; // by upper-case property name
};

// The window in which a dialog page is edited; its close is refused,
// moving or resizing it writes its bounds back into the page, and its keys
// go to the designer.
class TrpPageForm : public QWidget {
  Q_OBJECT
public:
  explicit TrpPageForm(TrpDesignerForm* designer);
  std::function<void()> OnBoundsChanged;

protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};
