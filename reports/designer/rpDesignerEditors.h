#pragma once
#include <QtCore/QString>
#include <memory>

class QWidget;
class TrpObjEditorForm;

// How the designer window holds its text editor: it creates the one its
// "SyntaxHighlight" setting chooses when the window is made (and again when
// the setting changes) and connects it while the window exists.

// TrpEditorForm (the syntax memo) when syntaxHighlight is on, else TrpEditorForm1.
std::unique_ptr<TrpObjEditorForm> rpCreateTextEditor(bool syntaxHighlight, QWidget* owner);

// Points the engine's script editor (TrpPage::EditScript) at the editor; null disconnects it.
void rpConnectTextEditor(TrpObjEditorForm* editor);
