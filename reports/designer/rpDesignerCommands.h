#pragma once
#include <QtCore/QList>
#include <QtCore/QString>

// How a designer command's enabling follows the selection.
enum class TrpCommandRule {
  Always,        // no selection rule
  Selection,     // something selected
  Paste,         // the object clipboard holds entries
  OneObject,     // exactly one object selected
  FrameControls, // one object that is not a band, or several, on a report page
  TextControls,  // one text object, or several
};

// One command of the designer: its menu items, tool button, captions, hint,
// shortcut and enabling. Later parts of the designer fill the handlers; a
// command without one stays disabled.
struct TrpDesignerCommand {
  QString Name;          // the command's own name, e.g. "Save"
  QStringList MenuItems; // the main-menu item first, then the context-menu copies
  QString Button;        // the tool button, empty when none
  int CaptionId = 0;     // engine string of the main-menu caption
  int HintId = 0;        // engine string of the button's hint
  QString Shortcut;      // portable text of the key sequence
  TrpCommandRule Rule = TrpCommandRule::Always;
  bool TemplateOnly = false; // disabled while one prepared page is edited
  bool Toggle = false;       // the button stays down
};

// Every command of the designer window, in menu order.
const QList<TrpDesignerCommand>& rpDesignerCommands();
// The command of that name; raises Exception when there is none.
const TrpDesignerCommand& rpDesignerCommand(const QString& name);
// The caption of a context-menu copy whose text differs from the main item
// (engine string id), 0 when it takes the main item's caption.
int rpContextMenuCaptionId(const QString& menuItem);
