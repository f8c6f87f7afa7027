#pragma once
#include <QtCore/QString>
#include <memory>

class QWidget;
class TrpObject;
class TrpObjEditorForm;

// How the designer window holds its text editor: it creates the one its
// "SyntaxHighlight" setting chooses when the window is made (and again when
// the setting changes), connects it while the window exists, and opens it
// for the text and script entries of its objects.

// TrpEditorForm (the syntax memo) when syntaxHighlight is on, else TrpEditorForm1.
std::unique_ptr<TrpObjEditorForm> rpCreateTextEditor(bool syntaxHighlight, QWidget* owner);

// Points the engine's script editor (TrpPage::EditScript) at the editor; null disconnects it.
void rpConnectTextEditor(TrpObjEditorForm* editor);

// Opens the text editor for the "Memo" or "Script" entry of a report object
// and answers its modal result; 0 for any other entry or object.
int rpOpenTextEditor(TrpObjEditorForm& editor, TrpObject* object, const QString& property);
