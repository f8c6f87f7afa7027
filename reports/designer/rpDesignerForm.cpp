#include "reports/designer/rpDesignerForm.h"
#include "core/gui/ColorConvert.h"
#include "reports/designer/rpDesigner.h"
#include "reports/designer/rpDesignerArrange.h"
#include "reports/designer/rpDesignerClipboard.h"
#include "reports/designer/rpDesignerCommands.h"
#include "reports/designer/rpDesignerGlyphs.h"
#include "reports/designer/rpDesignerKeys.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpDesignerPages.h"
#include "reports/designer/rpDesignerStatus.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/designer/rpInspForm.h"
#include "reports/designer/rpSelectionProperties.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpCompositeReport.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboBox.h"
#include "reports/engine/ui/rpDock.h"
#include "reports/engine/ui/rpObjEditorForm.h"
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtGui/QCloseEvent>
#include <QtGui/QIcon>
#include <QtGui/QKeyEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kYesNoQuestion = 4 | 32; // mb_YesNo | mb_IconQuestion
constexpr int kAnswerYes = 6, kAnswerNo = 7;

// The tool-bar visibility items in menu order, with the tag that names their bar.
struct TrpBarMenuItem {
  const char* Item;
  int CaptionId;
  int Tag; // 0 Panel1 ... 4 Panel5, 5 the inspector, 6 Panel6, 7 the fields window
};
constexpr TrpBarMenuItem kBarMenuItems[] = {{"Pan2", 53181, 1}, {"Pan3", 53182, 2}, {"Pan1", 53180, 0},
                                            {"Pan4", 53183, 3}, {"Pan6", 53185, 4}, {"Pan7", 53186, 6},
                                            {"Pan5", 53184, 5}, {"Pan8", 53450, 7}};

QString BarOfTag(int tag) {
  static const char* const bars[] = {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "", "Panel6"};
  return tag >= 0 && tag < 7 ? QString::fromLatin1(bars[tag]) : QString();
}

} // namespace

// --- the dialog page window

TrpPageForm::TrpPageForm(TrpDesignerForm* designer) : QWidget(designer, Qt::Tool) {
  setObjectName(QStringLiteral("PageForm"));
  resize(112, 86);
}

void TrpPageForm::closeEvent(QCloseEvent* event) { event->ignore(); }

void TrpPageForm::keyPressEvent(QKeyEvent* event) {
  static_cast<TrpDesignerForm*>(parentWidget())->DialogPageKeyDown(event);
}

void TrpPageForm::moveEvent(QMoveEvent*) {
  if (OnBoundsChanged) OnBoundsChanged();
}

void TrpPageForm::resizeEvent(QResizeEvent*) {
  if (OnBoundsChanged) OnBoundsChanged();
}

// --- the designer window

TrpDesignerForm::TrpDesignerForm(TrpReport& report, bool editingTemplate, QWidget* parent)
    : TForm(parent), report_(report) {
  setObjectName(QStringLiteral("TrpDesignerForm"));
  EditingTemplate = editingTemplate;
  setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  SetKeyPreview(true);
  resize(800, 600);
  settings_.Read();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menuBar_ = new QMenuBar(this);
  layout->setMenuBar(menuBar_);
  topDock_ = new TrpDock(TrpDockAlign::Top, this);
  topDock_->setObjectName(QStringLiteral("DockTop"));
  bottomDock_ = new TrpDock(TrpDockAlign::Bottom, this);
  bottomDock_->setObjectName(QStringLiteral("DockBottom"));
  leftDock_ = new TrpDock(TrpDockAlign::Left, this);
  leftDock_->setObjectName(QStringLiteral("DockLeft"));
  rightDock_ = new TrpDock(TrpDockAlign::Right, this);
  rightDock_->setObjectName(QStringLiteral("DockRight"));
  layout->addWidget(topDock_);
  auto* middle = new QHBoxLayout;
  middle->setSpacing(0);
  middle->addWidget(leftDock_);
  auto* centre = new QVBoxLayout;
  centre->setSpacing(0);
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("Tab1"));
  tabs_->setMovable(true);
  tabs_->setExpanding(false);
  tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
  centre->addWidget(tabs_);
  scrollBox_ = new QScrollArea(this);
  scrollBox_->setObjectName(QStringLiteral("ScrollBox1"));
  scrollBox_->setBackgroundRole(QPalette::Dark);
  QPalette grey = scrollBox_->palette();
  grey.setColor(QPalette::Dark, ToQColor(clGray));
  scrollBox_->setPalette(grey);
  scrollBox_->setWidgetResizable(false);
  centre->addWidget(scrollBox_, 1);
  middle->addLayout(centre, 1);
  middle->addWidget(rightDock_);
  layout->addLayout(middle, 1);
  layout->addWidget(bottomDock_);
  status_ = new TrpDesignerStatus(this);
  layout->addWidget(status_);

  // The workspace sits in a holder that gives the page its margin in the scroll box.
  auto* holder = new QWidget;
  holder->setObjectName(QStringLiteral("ScrollContent"));
  holder->setAutoFillBackground(false);
  workspace_ = new TrpDesignerPage(settings_, selection_, holder);
  scrollBox_->setWidget(holder);

  CreateMenus();
  CreateToolBars();
  ConnectCommands();
  CreateAttributeDropDowns();
  CreateExtraTools();
  CreateEditors();
  ConnectEditing();
  ConnectFileCommands();
  ConnectOptions();

  workspace_->OnMouseMoved = [this](QPoint point) {
    mouse_ = point;
    if (selection_.Count() == 0) UpdateStatus();
  };
  status_->OnNextUnits = [this] { NextUnits(); };
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (index >= 0 && index != currentPageIndex_ && index < report_.Pages.Count()) SetCurrentPage(index);
  });
  connect(tabs_, &QTabBar::tabMoved, this, [this](int from, int to) {
    TrpPage* shown = Page;
    rpMoveReportPage(report_, from, to);
    undo_.Clear();
    currentPageIndex_ = report_.Pages.IndexOf(shown);
    UpdateTabs();
    SetModified(true);
    RedrawPage();
  });
  connect(tabs_, &QTabBar::customContextMenuRequested, this,
          [this](const QPoint& at) { tabMenu_->popup(tabs_->mapToGlobal(at)); });
  rpSetCurrentDesigner(this);
}

TrpDesignerForm::~TrpDesignerForm() {
  if (EditingTemplate) {
    settings_.FieldsWindowVisible = fieldsWindow_ != nullptr;
    ShowFieldsWindow(false);
  }
  RemoveEditors();
  if (inspector_) {
    settings_.InspectorSplitPos = inspector_->SplitPos();
    settings_.InspectorVisible = inspector_->isVisible();
    rpSaveFormPosition(inspector_);
    delete inspector_;
  }
  settings_.Write();
  WritePositions();
  // Only a template hands its file name back; an edited prepared page keeps the report's.
  if (EditingTemplate) report_.FileName = fileName_;
  delete pageForm_;
  if (rpCurrentDesigner() == this) rpSetCurrentDesigner(nullptr);
}

// --- menus and tool bars

void TrpDesignerForm::CreateMenus() {
  auto item = [this](QMenu* menu, const QString& name, int captionId) {
    QAction* action = menu->addAction(rpLoadStr(captionId));
    action->setObjectName(name);
    menuItems_.insert(name, action);
    return action;
  };
  auto commandItem = [&](QMenu* menu, const QString& commandName, int index = 0) {
    const TrpDesignerCommand& command = rpDesignerCommand(commandName);
    const QString& name = command.MenuItems.at(index);
    const int contextCaption = rpContextMenuCaptionId(name);
    QAction* action = item(menu, name, contextCaption ? contextCaption : command.CaptionId);
    const QImage glyph = rpDesignerGlyph(command.Button);
    if (!glyph.isNull()) action->setIcon(QIcon(QPixmap::fromImage(glyph)));
    if (index == 0 && !command.Shortcut.isEmpty()) {
      action->setShortcut(QKeySequence(command.Shortcut));
      action->setShortcutContext(Qt::WindowShortcut);
      addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, commandName] { RunCommand(commandName); });
    return action;
  };

  QMenu* file = menuBar_->addMenu(rpLoadStr(53154));
  file->setObjectName(QStringLiteral("FileMenu"));
  for (const char* name : {"NewFromTemplate", "Open", "Save", "SaveAs"})
    commandItem(file, QString::fromLatin1(name));
  file->addSeparator();
  for (const char* name : {"Dictionary", "ReportOptions", "PageOptions"})
    commandItem(file, QString::fromLatin1(name));
  file->addSeparator();
  commandItem(file, QStringLiteral("Preview"));
  file->addSeparator();
  commandItem(file, QStringLiteral("Exit"));

  QMenu* edit = menuBar_->addMenu(rpLoadStr(53163));
  edit->setObjectName(QStringLiteral("EditMenu"));
  commandItem(edit, QStringLiteral("Undo"));
  commandItem(edit, QStringLiteral("Redo"));
  edit->addSeparator();
  for (const char* name : {"Cut", "Copy", "Paste", "Delete", "SelectAll"})
    commandItem(edit, QString::fromLatin1(name));
  edit->addSeparator();
  commandItem(edit, QStringLiteral("Edit"));
  edit->addSeparator();
  for (const char* name : {"AddPage", "AddDialogForm", "DeletePage"})
    commandItem(edit, QString::fromLatin1(name));
  edit->addSeparator();
  commandItem(edit, QStringLiteral("BringToFront"));
  commandItem(edit, QStringLiteral("SendToBack"));

  QMenu* tools = menuBar_->addMenu(rpLoadStr(53176));
  tools->setObjectName(QStringLiteral("ToolMenu"));
  toolBarsMenu_ = tools->addMenu(rpLoadStr(53177));
  toolBarsMenu_->setObjectName(QStringLiteral("N37"));
  for (const TrpBarMenuItem& bar : kBarMenuItems) {
    QAction* action = item(toolBarsMenu_, QString::fromLatin1(bar.Item), bar.CaptionId);
    action->setCheckable(true);
    const int tag = bar.Tag;
    connect(action, &QAction::triggered, this, [this, tag] { ToggleBar(tag); });
  }
  connect(toolBarsMenu_, &QMenu::aboutToShow, this, &TrpDesignerForm::UpdateToolBarsMenu);
  QMenu* extraTools = tools->addMenu(rpLoadStr(53178));
  extraTools->setObjectName(QStringLiteral("MastMenu"));
  extraTools->setEnabled(false); // until a designer tool is registered
  commandItem(tools, QStringLiteral("Options"));

  QMenu* help = menuBar_->addMenu(QStringLiteral("?"));
  help->setObjectName(QStringLiteral("HelpMenu"));
  commandItem(help, QStringLiteral("HelpContents"));
  commandItem(help, QStringLiteral("HelpTool"));
  help->addSeparator();
  commandItem(help, QStringLiteral("About"));

  contextMenu_ = new QMenu(this);
  contextMenu_->setObjectName(QStringLiteral("Popup1"));
  for (const char* name : {"Cut", "Copy", "Paste", "Delete", "SelectAll"})
    commandItem(contextMenu_, QString::fromLatin1(name), 1);
  contextMenu_->addSeparator();
  commandItem(contextMenu_, QStringLiteral("Edit"), 1);

  tabMenu_ = new QMenu(this);
  tabMenu_->setObjectName(QStringLiteral("Popup2"));
  for (const char* name : {"AddPage", "AddDialogForm", "DeletePage"})
    commandItem(tabMenu_, QString::fromLatin1(name), 1);
  commandItem(tabMenu_, QStringLiteral("PageOptions"), 1);
}

TrpToolBar* TrpDesignerForm::AddToolBar(const QString& name, int captionId, TrpDock* dock) {
  auto* bar = new TrpToolBar(dock);
  bar->setObjectName(name);
  bar->setWindowTitle(rpLoadStr(captionId));
  toolBars_.insert(name, bar);
  return bar;
}

TrpSpeedButton* TrpDesignerForm::AddButton(TrpToolBar* bar, const QString& name, int hintId, const QString& glyph) {
  auto* button = new TrpTBButton(bar);
  button->setObjectName(name);
  if (hintId) button->setToolTip(rpLoadStr(hintId));
  const QImage image = rpDesignerGlyph(glyph.isEmpty() ? name : glyph);
  if (!image.isNull()) button->SetGlyph(image);
  bar->AddControl(button);
  controls_.insert(name, button);
  return button;
}

void TrpDesignerForm::CreateToolBars() {
  TrpToolBar* standard = AddToolBar(QStringLiteral("Panel2"), 53082, topDock_);
  // The bar's buttons left to right; the captioned exit button ends it.
  static const char* const kStandardButtons[] = {
      "FileBtn1", "FileBtn2", "FileBtn3", "FileBtn4", "CutB", "CopyB", "PstB", "UndoB", "RedoB", "ZB1",
      "ZB2",      "SelAllB",  "PgB1",     "PgB4",     "PgB2", "PgB3",  "GB1",  "GB2",   "GB3",   "HelpBtn"};
  for (const char* buttonName : kStandardButtons) {
    const auto found =
        std::find_if(rpDesignerCommands().begin(), rpDesignerCommands().end(),
                     [buttonName](const TrpDesignerCommand& c) { return c.Button == QLatin1String(buttonName); });
    if (found == rpDesignerCommands().end()) continue;
    const TrpDesignerCommand& command = *found;
    TrpSpeedButton* button = AddButton(standard, command.Button, command.HintId, QString());
    if (command.Toggle) {
      button->SetGroupIndex(command.Name == QLatin1String("ShowGrid")     ? 101
                            : command.Name == QLatin1String("SnapToGrid") ? 102
                                                                          : 103);
      button->SetAllowAllUp(true);
    }
    const QString name = command.Name;
    connect(button, &TrpSpeedButton::clicked, this, [this, name] { RunCommand(name); });
  }
  TrpSpeedButton* exit = AddButton(standard, QStringLiteral("ExitB"), 53106, QString());
  exit->SetCaption(rpLoadStr(53105));
  exit->setFixedWidth(44);
  connect(exit, &TrpSpeedButton::clicked, this, [this] { RunCommand(QStringLiteral("Exit")); });
  standard->AdjustBounds();
  standard->AddToDock(topDock_);

  TrpToolBar* text = AddToolBar(QStringLiteral("Panel3"), 53083, topDock_);
  fontName_ = new TrpFontComboBox(text);
  fontName_->setObjectName(QStringLiteral("C2"));
  fontName_->setToolTip(rpLoadStr(53121));
  fontName_->SetDropDownCount(12);
  fontName_->setFixedWidth(150);
  text->AddControl(fontName_);
  controls_.insert(fontName_->objectName(), fontName_);
  fontSize_ = new TrpComboBox(text);
  fontSize_->setObjectName(QStringLiteral("C3"));
  fontSize_->setToolTip(rpLoadStr(53120));
  fontSize_->setEditable(true);
  for (int size : {5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
    fontSize_->addItem(QString::number(size));
  fontSize_->setFixedWidth(50);
  text->AddControl(fontSize_);
  controls_.insert(fontSize_->objectName(), fontSize_);
  const std::pair<const char*, int> textButtons[] = {{"FnB1", 53115}, {"FnB2", 53116}, {"FnB3", 53117}, {"ClB2", 53118},
                                                     {"HlB1", 53119}, {"AlB1", 53107}, {"AlB3", 53109}, {"AlB2", 53108},
                                                     {"AlB8", 53114}, {"AlB6", 53112}, {"AlB5", 53111}, {"AlB7", 53113},
                                                     {"AlB4", 53110}};
  for (const auto& [name, hint] : textButtons)
    AddButton(text, QString::fromLatin1(name), hint, QString());
  // Toggles hold down alone; the horizontal and the vertical alignments are groups.
  const std::pair<const char*, int> groups[] = {{"FnB1", 11}, {"FnB2", 12}, {"FnB3", 13}, {"AlB4", 14},
                                                {"AlB1", 15}, {"AlB3", 15}, {"AlB2", 15}, {"AlB8", 15},
                                                {"AlB6", 16}, {"AlB5", 16}, {"AlB7", 16}};
  for (const auto& [name, group] : groups) {
    auto* button = static_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(name)));
    button->SetGroupIndex(group);
    button->SetAllowAllUp(true);
  }
  text->AdjustBounds();
  text->AddToDock(topDock_);

  TrpToolBar* frame = AddToolBar(QStringLiteral("Panel1"), 53081, topDock_);
  const std::pair<const char*, int> frameButtons[] = {{"FrB1", 53122}, {"FrB2", 53123}, {"FrB3", 53124},
                                                      {"FrB4", 53125}, {"FrB5", 53126}, {"FrB6", 53127},
                                                      {"ClB1", 53128}, {"ClB3", 53129}, {"StB1", 53191}};
  for (const auto& [name, hint] : frameButtons)
    AddButton(frame, QString::fromLatin1(name), hint, QString());
  for (int line = 1; line <= 4; ++line) {
    auto* button = static_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("FrB%1").arg(line)));
    button->SetGroupIndex(20 + line);
    button->SetAllowAllUp(true);
  }
  frameWidth_ = new TrpComboBox(frame);
  frameWidth_->setObjectName(QStringLiteral("C4"));
  frameWidth_->setToolTip(rpLoadStr(53130));
  frameWidth_->setEditable(true);
  for (const char* width : {"0,1", "0,5", "1", "1,5", "2", "3", "4", "5", "6", "7", "8", "9", "10"})
    frameWidth_->addItem(QString::fromLatin1(width));
  frameWidth_->setFixedWidth(50);
  frame->AddControl(frameWidth_);
  controls_.insert(frameWidth_->objectName(), frameWidth_);
  frame->AdjustBounds();
  frame->move(text->x() + text->width() + 2, text->y());
  frame->MoveToDock(topDock_, text->x() + text->width() + 2, text->y());

  TrpToolBar* extra = AddToolBar(QStringLiteral("Panel6"), 53086, topDock_);
  extra->resize(26, 26);
  extra->AddToDock(topDock_);

  TrpToolBar* palette = AddToolBar(QStringLiteral("Panel4"), 53084, leftDock_);
  CreatePalette(palette);
  palette->AdjustBounds();
  palette->AddToDock(leftDock_);

  TrpToolBar* align = AddToolBar(QStringLiteral("Panel5"), 53085, rightDock_);
  for (int i = 1; i <= 10; ++i) {
    if (i == 6) align->AddControl(new TrpTBSeparator(align));
    AddButton(align, QStringLiteral("Align%1").arg(i), 53137 + i, QString());
  }
  align->AdjustBounds();
  align->AddToDock(rightDock_);
  for (TrpDock* dock : {topDock_, bottomDock_, leftDock_, rightDock_})
    dock->AdjustBounds();
}

void TrpDesignerForm::CreatePalette(TrpToolBar* bar) {
  const std::pair<const char*, int> tools[] = {{"OB1", 53132}, {"OB2", 53133}, {"OB3", 53134},
                                               {"OB4", 53135}, {"OB5", 53136}, {"OB6", 53137}};
  for (const auto& [name, hint] : tools) {
    TrpSpeedButton* button = AddButton(bar, QString::fromLatin1(name), hint, QString());
    button->SetGroupIndex(1);
  }
  const QList<TrpAddInObjectInfo>& addIns = rpAddInObjects();
  for (int i = 0; i < addIns.size(); ++i) {
    const TrpAddInObjectInfo& info = addIns.at(i);
    auto* button = new TrpTBButton(bar);
    button->setObjectName(QStringLiteral("AddIn%1").arg(10 + i));
    button->SetGroupIndex(1);
    button->SetGlyph(info.ToolBarBitmap);
    bool numeric = false;
    const int id = info.Hint.toInt(&numeric);
    button->setToolTip(numeric ? rpLoadStr(id) : info.Hint);
    bar->AddControl(button);
    // Dialog controls show only on dialog pages.
    button->setVisible(!info.IsControl);
    controls_.insert(button->objectName(), button);
  }
  static_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("OB1")))->SetDown(true);
}

void TrpDesignerForm::ConnectCommands() {
  SetCommandHandler(QStringLiteral("Save"), [this] { Save(); });
  SetCommandHandler(QStringLiteral("Exit"), [this] {
    if (isModal())
      SetModalResult(mrOk);
    else
      close();
  });
  SetCommandHandler(QStringLiteral("AddPage"), [this] { AddPage(); });
  SetCommandHandler(QStringLiteral("AddDialogForm"), [this] { AddDialogForm(); });
  SetCommandHandler(QStringLiteral("DeletePage"), [this] { DeletePage(); });
  SetCommandHandler(QStringLiteral("ShowGrid"), [this] {
    settings_.GridShow = !settings_.GridShow;
    RedrawPage();
  });
  SetCommandHandler(QStringLiteral("SnapToGrid"), [this] { settings_.GridAlign = !settings_.GridAlign; });
  SetCommandHandler(QStringLiteral("HelpTool"), [this] { StartHelpTool(); });
}

void TrpDesignerForm::SetCommandHandler(const QString& command, std::function<void()> handler) {
  handlers_.insert(command, std::move(handler));
  UpdateEnabling();
}

void TrpDesignerForm::RunCommand(const QString& name) {
  if (!CommandEnabled(name)) return;
  const auto handler = handlers_.value(name);
  if (handler) handler();
}

bool TrpDesignerForm::CommandEnabled(const QString& name) const {
  if (!handlers_.value(name)) return false;
  const TrpDesignerCommand& command = rpDesignerCommand(name);
  if (command.TemplateOnly && !EditingTemplate) return false;
  if (name == QLatin1String("Preview") && dynamic_cast<TrpCompositeReport*>(&report_)) return false;
  if (name == QLatin1String("Save")) return GetModified();
  if (name == QLatin1String("Undo")) return undo_.CanUndo() && !settings_.DisableUndo;
  if (name == QLatin1String("Redo")) return undo_.CanRedo() && !settings_.DisableUndo;
  const TrpSelectionEnabling enabling = selection_.Enabling(!rpObjectClipboard().IsEmpty());
  switch (command.Rule) {
  case TrpCommandRule::Always:
    return true;
  case TrpCommandRule::Selection:
    return enabling.SelectionCommands;
  case TrpCommandRule::Paste:
    return enabling.Paste;
  case TrpCommandRule::OneObject:
    return enabling.EditObject;
  case TrpCommandRule::FrameControls:
    return enabling.FrameControls;
  case TrpCommandRule::TextControls:
    return enabling.TextControls;
  }
  return false;
}

void TrpDesignerForm::SetControlEnabled(QWidget* control, bool enabled) {
  const TrpDesigner* designer = TrpDesigner::Instance();
  if (designer && designer->HideDisabledButtons && qobject_cast<TrpSpeedButton*>(control)) {
    control->setVisible(enabled);
    control->setEnabled(true);
  } else {
    control->setEnabled(enabled);
  }
}

void TrpDesignerForm::UpdateEnabling() {
  for (const TrpDesignerCommand& command : rpDesignerCommands()) {
    const bool enabled = CommandEnabled(command.Name);
    for (const QString& item : command.MenuItems)
      if (QAction* action = menuItems_.value(item)) action->setEnabled(enabled);
    if (QWidget* button = controls_.value(command.Button)) SetControlEnabled(button, enabled);
  }
  // The attribute controls follow the selection.
  static const char* const frameControls[] = {"FrB1", "FrB2", "FrB3", "FrB4", "FrB5", "FrB6", "ClB1", "ClB3", "StB1"};
  static const char* const textControls[] = {"FnB1", "FnB2", "FnB3", "ClB2", "HlB1", "AlB1", "AlB2",
                                             "AlB3", "AlB4", "AlB5", "AlB6", "AlB7", "AlB8"};
  const TrpSelectionEnabling attributes = selection_.Enabling(false);
  for (const char* name : frameControls)
    if (QWidget* control = controls_.value(QString::fromLatin1(name)))
      SetControlEnabled(control, attributes.FrameControls);
  for (const char* name : textControls)
    if (QWidget* control = controls_.value(QString::fromLatin1(name)))
      SetControlEnabled(control, attributes.TextControls);
  for (int i = 1; i <= 10; ++i)
    if (QWidget* align = controls_.value(QStringLiteral("Align%1").arg(i)))
      SetControlEnabled(align, rpAlignmentApplies(selection_, i));
  for (QWidget* combo : {static_cast<QWidget*>(fontName_), static_cast<QWidget*>(fontSize_)})
    if (combo) combo->setEnabled(attributes.TextControls);
  if (frameWidth_) frameWidth_->setEnabled(attributes.FrameControls);
  if (auto* grid = qobject_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("GB1"))))
    grid->SetDown(settings_.GridShow);
  if (auto* snap = qobject_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("GB2"))))
    snap->SetDown(settings_.GridAlign);
  for (TrpToolBar* bar : toolBars_) {
    if (!bar->IsFloating()) bar->AdjustBounds();
  }
  for (TrpDock* dock : {topDock_, bottomDock_, leftDock_, rightDock_})
    if (dock) dock->AdjustBounds();
  if (status_) status_->update();
}

// --- showing and closing

void TrpDesignerForm::FormShow() {
  if (!firstShow_) return;
  firstShow_ = false;
  CreateInspector();
  SetModified(false);
  report_.ChangedInDesigner = false;
  undo_.Clear();
  rpGlobals().ShowBandTitles = settings_.BandTitles;
  rpGetLocale().LocalizedPropNames = settings_.LocalizedPropNames;
  SetCurrentPage(0);
  fileName_ = EditingTemplate ? report_.FileName : rpLoadStr(55209);
  UpdateCaption();
  ApplyGrayButtons();
  ReadPositions();
  UpdateEnabling();
  ShowSelectionValues();
  UpdateStatus();
  if (EditingTemplate && settings_.FieldsWindowVisible) ShowFieldsWindow(true);
  InstallEditors();
  if (TrpDesigner* designer = TrpDesigner::Instance(); designer && designer->OnShow) designer->OnShow(this);
}

void TrpDesignerForm::UpdateCaption() {
  QString file = fileName_;
  file.replace(QLatin1Char('\\'), QLatin1Char('/'));
  SetCaption(rpLoadStr(53080) + QStringLiteral(" - ") + QFileInfo(file).fileName());
}

void TrpDesignerForm::FormCloseQuery(bool& canClose) {
  canClose = true;
  if (!rpDesignerAsksToSave(GetModified(), EditingTemplate, TrpDesigner::Instance())) return;
  const int answer = AskSaveChanges();
  if (answer == kAnswerYes)
    canClose = Save();
  else if (answer == kAnswerNo)
    SetModalResult(mrCancel);
  else
    canClose = false;
}

bool TrpDesignerForm::Save() {
  if (fileName_ == rpLoadStr(55209)) return SaveAs();
  if (TrpDesigner* designer = TrpDesigner::Instance(); designer && designer->OnSaveReport) {
    bool done = true;
    designer->OnSaveReport(report_, fileName_, false, done);
    if (done) SetModified(false);
    return done;
  }
  try {
    report_.SaveToFile(fileName_);
  } catch (const Exception& error) {
    rpGlobals().ErrorBox(error.Message(), rpLoadStr(55206));
    return false;
  }
  SetModified(false);
  return true;
}

void TrpDesignerForm::DialogPageKeyDown(QKeyEvent* event) {
  const TrpDialogPageKey mapped = rpMapDialogPageKey(event->key(), event->modifiers());
  if (mapped.SelectAll) {
    RunCommand(QStringLiteral("SelectAll"));
    return;
  }
  QKeyEvent passed(QEvent::KeyPress, mapped.Key, mapped.Modifiers, event->text());
  if (!FormKeyDown(&passed)) event->ignore();
}

void TrpDesignerForm::ApplyGrayButtons() {
  for (TrpToolBar* bar : toolBars_)
    for (TrpSpeedButton* button : bar->findChildren<TrpSpeedButton*>())
      button->SetGrayedInactive(settings_.GrayButtons);
}

void TrpDesignerForm::ReadPositions() {
  for (TrpToolBar* bar : toolBars_)
    rpRestoreToolbarPosition(bar);
  TrpToolBar* extra = toolBars_.value(QStringLiteral("Panel6"));
  extra->resize(qMax(26, extra->width()), qMax(26, extra->height()));
  if (extra->Controls().size() < 2) extra->SetIsVisible(false);
  rpRestoreFormPosition(this);
  for (TrpDock* dock : {topDock_, bottomDock_, leftDock_, rightDock_})
    dock->AdjustBounds();
}

void TrpDesignerForm::WritePositions() {
  for (TrpToolBar* bar : toolBars_) {
    if (bar->objectName() == QLatin1String("Panel6") && !EditingTemplate) continue;
    rpSaveToolbarPosition(bar);
  }
  rpSaveFormPosition(this);
  for (TrpToolBar* bar : toolBars_)
    bar->SetIsVisible(false);
}

// --- the designer interface

bool TrpDesignerForm::GetModified() const { return report_.Modified; }

void TrpDesignerForm::SetModified(bool modified) {
  report_.Modified = modified;
  if (modified && EditingTemplate) report_.ChangedInDesigner = true;
  UpdateEnabling();
}

void TrpDesignerForm::AfterChange() {
  RedrawPage();
  UpdateStatus();
}

void TrpDesignerForm::RedrawPage() {
  if (workspace_) workspace_->update();
}

void TrpDesignerForm::SelectObject(TrpView* object) {
  if (!Page || !object || Page->IndexOfObjectID(object->ObjectId) < 0) return;
  selection_.SelectOnly(object);
  FollowSelection();
}

void TrpDesignerForm::SelectObjectByName(const QString& name) {
  if (Page)
    if (TrpView* object = Page->FindObject(name)) {
      SelectObject(object);
      return;
    }
  if (name.startsWith(QLatin1String("Page"), Qt::CaseInsensitive)) {
    bool ok = false;
    const int number = name.mid(4).toInt(&ok);
    if (ok && number >= 1 && number <= report_.Pages.Count()) SetCurrentPage(number - 1);
  }
}

// --- pages

void TrpDesignerForm::SetCurrentPage(int index) {
  if (index < 0 || index >= report_.Pages.Count()) return;
  currentPageIndex_ = index;
  Page = report_.Pages.GetPage(index);
  rpRun().CurrentPage = Page;
  // The selection moves first: the page it held may just have been deleted,
  // and showing the page asks it what the commands may do.
  selection_.SetPage(Page);
  selection_.Clear();
  ShowDialogPageWindow(Page->PageType == 1);
  workspace_->SetPage(Page);
  mouseEditing_.DialogPage = Page->PageType == 1;
  rpNormaliseObjectOrder(*Page);
  scrollBox_->horizontalScrollBar()->setValue(0);
  scrollBox_->verticalScrollBar()->setValue(0);
  PlaceWorkspace();
  UpdateTabs();
  FollowSelection();
  RedrawPage();
}

void TrpDesignerForm::ReleasePages() {
  undo_.Clear();
  selection_.SetPage(nullptr);
  workspace_->SetPage(nullptr);
  inspected_.clear();
  if (inspector_) inspector_->ClearProperties();
  Page = nullptr;
  rpRun().CurrentPage = nullptr;
}

void TrpDesignerForm::ShowDialogPageWindow(bool dialogPage) {
  if (dialogPage && !pageForm_) {
    // The palette offers the dialog controls instead of the report objects.
    for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
      if (!it.key().startsWith(QLatin1String("AddIn"))) continue;
      const int index = it.key().mid(5).toInt() - 10;
      it.value()->setVisible(rpAddInObjects().value(index).IsControl);
    }
    for (const char* name : {"OB2", "OB3", "OB4", "OB5", "OB6"})
      controls_.value(QString::fromLatin1(name))->hide();
    pageForm_ = new TrpPageForm(this);
    workspace_->setParent(pageForm_);
    workspace_->move(0, 0);
    workspace_->show();
  } else if (!dialogPage && pageForm_) {
    pageForm_->OnBoundsChanged = {};
    workspace_->setParent(scrollBox_->widget());
    workspace_->show();
    delete pageForm_;
    UpdateEnabling();
    for (const char* name : {"OB2", "OB3", "OB4", "OB5", "OB6"})
      if (!TrpDesigner::Instance() || !TrpDesigner::Instance()->HideDisabledButtons)
        controls_.value(QString::fromLatin1(name))->show();
    for (auto it = controls_.cbegin(); it != controls_.cend(); ++it)
      if (it.key().startsWith(QLatin1String("AddIn")))
        it.value()->setVisible(!rpAddInObjects().value(it.key().mid(5).toInt() - 10).IsControl);
  }
  toolBars_.value(QStringLiteral("Panel4"))->AdjustBounds();
  leftDock_->AdjustBounds();
  if (!pageForm_) return;
  pageForm_->OnBoundsChanged = {};
  pageForm_->setGeometry(Page->DialogLeft, Page->DialogTop, Page->DialogWidth, Page->DialogHeight);
  pageForm_->setWindowTitle(Page->Caption);
  pageForm_->OnBoundsChanged = [this] {
    if (!Page || !pageForm_) return;
    const QRect bounds = pageForm_->geometry();
    Page->DialogLeft = bounds.x();
    Page->DialogTop = bounds.y();
    Page->DialogWidth = bounds.width();
    Page->DialogHeight = bounds.height();
    workspace_->resize(pageForm_->size());
    SetModified(true);
  };
  workspace_->resize(pageForm_->size());
  if (isVisible()) pageForm_->show();
}

void TrpDesignerForm::PlaceWorkspace() {
  if (!Page || pageForm_) return;
  const int height = Page->PrnInfo.Height * (settings_.UnlimitedHeight ? 3 : 1);
  const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const TrpWorkspacePlacement placement = rpPlaceWorkspace(scrollBox_->viewport()->width(), Page->PrnInfo.Width, height,
                                                           settings_.PagePosition, scrollBarWidth);
  workspace_->setGeometry(placement.Bounds);
  mouseEditing_.WorkspaceWidth = placement.Bounds.width();
  scrollBox_->widget()->resize(qMax(placement.Scrolled.width() + scrollBarWidth, placement.Bounds.right() + 11),
                               placement.Scrolled.height());
}

void TrpDesignerForm::UpdateTabs() {
  const QSignalBlocker blocker(tabs_);
  const int count = report_.Pages.Count();
  if (tabs_->count() != count) {
    while (tabs_->count() > 0)
      tabs_->removeTab(0);
    for (int i = 0; i < count; ++i)
      tabs_->addTab(rpPageTabCaption(report_, i));
  } else {
    for (int i = 0; i < count; ++i) {
      const QString caption = rpPageTabCaption(report_, i);
      if (tabs_->tabText(i) != caption) tabs_->setTabText(i, caption);
    }
  }
  tabs_->setCurrentIndex(currentPageIndex_);
}

void TrpDesignerForm::AddPage() {
  const int previous = currentPageIndex_;
  TrpPage* page = report_.Pages.Add();
  page->AssignFreeName();
  Page = page; // the page options edit the new page
  pageOptionsAccepted_ = !CommandEnabled(QStringLiteral("PageOptions"));
  if (!pageOptionsAccepted_) RunCommand(QStringLiteral("PageOptions"));
  if (!pageOptionsAccepted_) {
    ReleasePages();
    report_.Pages.Delete(report_.Pages.IndexOf(page));
    currentPageIndex_ = -1;
    SetCurrentPage(previous);
    return;
  }
  SetModified(true);
  SetCurrentPage(report_.Pages.Count() - 1);
}

void TrpDesignerForm::AddDialogForm() {
  TrpPage* page = report_.Pages.Add();
  page->AssignFreeName();
  page->PageType = 1;
  SetModified(true);
  SetCurrentPage(report_.Pages.Count() - 1);
}

void TrpDesignerForm::DeletePage() {
  if (report_.Pages.Count() <= 1) return;
  if (rpGlobals().MessageBox(rpLoadStr(55005), rpLoadStr(55006), kYesNoQuestion) != kAnswerYes) return;
  SetModified(true);
  ReleasePages();
  rpDeleteReportPage(report_, currentPageIndex_);
  currentPageIndex_ = -1;
  SetCurrentPage(0);
}

// --- selection, status and tool bars

void TrpDesignerForm::ShowContextMenu(const QPoint& globalPos) {
  // The fixed items stay; the objects' own follow them.
  const QList<QAction*> actions = contextMenu_->actions();
  for (int i = 7; i < actions.size(); ++i) {
    contextMenu_->removeAction(actions.at(i));
    actions.at(i)->deleteLater();
  }
  UpdateEnabling();
  TrpView* last = selection_.LastSelected();
  if (last && !dynamic_cast<TrpBandView*>(last)) {
    bool oneKind = true;
    for (int i = 0; i < Page->Count(); ++i) {
      const TrpView* other = Page->GetObject(i);
      if (other->IsSelected && (other->ObjectKind != last->ObjectKind || other->ClassName() != last->ClassName()))
        oneKind = false;
    }
    if (oneKind) {
      QList<TrpContextMenuItem> items;
      last->AddContextMenuItems(items);
      for (const TrpContextMenuItem& entry : items) {
        if (entry.Caption == QLatin1String("-")) {
          contextMenu_->addSeparator();
          continue;
        }
        QAction* action = contextMenu_->addAction(entry.Caption);
        action->setCheckable(entry.Checkable);
        action->setChecked(entry.Checked);
        action->setEnabled(entry.Enabled);
        const auto click = entry.OnClick;
        connect(action, &QAction::triggered, this, [this, click] {
          if (click) click();
          AfterChange();
        });
      }
    }
  }
  contextMenu_->popup(globalPos);
}

void TrpDesignerForm::FollowSelection() {
  UpdateEnabling();
  ShowSelectionValues();
  UpdateStatus();
  RefreshInspector();
}

void TrpDesignerForm::ShowSelectionValues() {
  settingControls_ = true;
  ShowSelectionColors();
  const auto down = [this](const char* name, bool isDown) {
    if (auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QString::fromLatin1(name))))
      button->SetDown(isDown);
  };
  const int count = selection_.Count();
  TrpView* object = selection_.LastSelected();
  if (count == 1 && !dynamic_cast<TrpBandView*>(object)) {
    down("FrB1", object->FrameTyp & 8);
    down("FrB2", object->FrameTyp & 4);
    down("FrB3", object->FrameTyp & 2);
    down("FrB4", object->FrameTyp & 1);
    frameWidth_->setCurrentText(QLocale().toString(double(object->FrameWidth), 'g', 2));
    if (auto* text = dynamic_cast<TrpMemoView*>(object)) {
      if (fontName_->currentText() != text->Font.Name) fontName_->setCurrentText(text->Font.Name);
      const QString size = QString::number(text->Font.Size);
      if (fontSize_->currentText() != size) fontSize_->setCurrentText(size);
      down("FnB1", text->Font.Style.Bold);
      down("FnB2", text->Font.Style.Italic);
      down("FnB3", text->Font.Style.Underline);
      down("AlB4", text->Alignment & 4);
      down("AlB5", (text->Alignment & 24) == 8);
      down("AlB6", (text->Alignment & 24) == 0);
      down("AlB7", (text->Alignment & 24) == 16);
      const int horizontal = text->Alignment & 3;
      down("AlB1", horizontal == 0);
      down("AlB2", horizontal == 1);
      down("AlB3", horizontal == 2);
      down("AlB8", horizontal == 3);
    }
  } else if (count > 1) {
    for (const char* name : {"FrB1", "FrB2", "FrB3", "FrB4", "FnB1", "FnB2", "FnB3", "AlB4", "AlB5"})
      down(name, false);
    down("AlB1", true);
    frameWidth_->setCurrentText(QStringLiteral("1"));
    fontName_->setCurrentText(QString());
    fontSize_->setCurrentText(QString());
  } else if (count == 0) {
    // Nothing selected: no font to show.
    fontName_->setCurrentIndex(-1);
    fontSize_->setCurrentIndex(-1);
    fontSize_->setEditText(QString());
  }
  settingControls_ = false;
}

void TrpDesignerForm::UpdateStatus() {
  status_->Show(rpUnitsName(settings_.Units), rpSelectionStatus(selection_, settings_.Units, mouse_));
}

void TrpDesignerForm::NextUnits() {
  settings_.Units = rpNextUnits(settings_.Units);
  UpdateStatus();
  RefreshInspector();
}

void TrpDesignerForm::ToggleBar(int tag) {
  const QString name = BarOfTag(tag);
  TrpToolBar* bar = toolBars_.value(name);
  if (tag == 7) {
    ShowFieldsWindow(!fieldsWindow_);
    return;
  }
  if (tag == 5 && inspector_) {
    inspector_->setVisible(!inspector_->isVisible());
    return;
  }
  if (!bar) return;
  const bool show = !bar->IsVisible();
  if (bar->IsFloating()) {
    bar->GetFloatWindow()->setVisible(show);
    bar->SetIsVisible(show);
    return;
  }
  bar->SetIsVisible(show);
  if (TrpDock* dock = bar->Dock()) dock->AdjustBounds();
}

void TrpDesignerForm::ShowFieldsWindow(bool show) {
  if (show) {
    if (!fieldsWindow_) {
      fieldsWindow_ = new TrpInsFieldsForm(report_, this);
      fieldsWindow_->setAttribute(Qt::WA_DeleteOnClose);
      fieldsWindow_->OnHeightChanged = [this](TrpInsFieldsForm*) { StackToolWindows(); };
    }
    fieldsWindow_->show();
    fieldsWindow_->raise();
    return;
  }
  if (!fieldsWindow_) return;
  fieldsWindow_->hide();
  delete fieldsWindow_;
}

void TrpDesignerForm::UpdateToolBarsMenu() {
  for (const TrpBarMenuItem& item : kBarMenuItems) {
    QAction* action = menuItems_.value(QString::fromLatin1(item.Item));
    const TrpToolBar* bar = toolBars_.value(BarOfTag(item.Tag));
    if (item.Tag == 7) {
      action->setChecked(fieldsWindow_ != nullptr);
      continue;
    }
    if (item.Tag == 5) {
      action->setChecked(inspector_ && inspector_->isVisible());
      action->setEnabled(inspector_ != nullptr);
      continue;
    }
    action->setChecked(bar && bar->IsVisible());
    action->setEnabled(bar != nullptr);
  }
}

void TrpDesignerForm::resizeEvent(QResizeEvent* event) {
  TForm::resizeEvent(event);
  if (!scrollBox_) return;
  scrollBox_->horizontalScrollBar()->setValue(0);
  scrollBox_->verticalScrollBar()->setValue(0);
  PlaceWorkspace();
}

void TrpDesignerForm::wheelEvent(QWheelEvent* event) {
  QScrollBar* bar = scrollBox_->verticalScrollBar();
  bar->setValue(bar->value() + (event->angleDelta().y() > 0 ? -8 : 8));
  event->accept();
}
