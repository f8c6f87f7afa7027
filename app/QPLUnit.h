#pragma once
#include "platform/MessageDialogs.h"
#include <QtCore/QString>
#include <initializer_list>

class QStatusBar;
class TIBQuery;
class TIBTransaction;

// Shared routines every data form calls: starting and abandoning the form's
// transaction, the numbered messages and the red and gray message dialogs
// that remember their position, and a few small text and number helpers.

// Makes the transaction ready for work: a read-committed one is started only
// when not active (and then reused); any other is committed when active and
// started anew, so the caller always works on a fresh snapshot.
void BeginTransaction(TIBTransaction& transaction);
// Rolls an active transaction back keeping its context (open queries stay
// open); does nothing for an inactive one.
void RollbackIfActive(TIBTransaction& transaction);

// The text of a compiled-in message resource; empty when there is none.
QString LoadRcDataText(const QString& name);
// The message text with each "%d" replaced by the next number, in order.
QString FormatIntegers(const QString& text, std::initializer_list<qint64> numbers);

// "Hlásenie #<number>", a blank line and the text of resource "ERR<number>",
// in the standard dialog of the given type with one OK button.
int ShowNumberedMessage(int number, TMsgDlgType type);
// The same with resource "IBERR<code>", the server's text appended when given.
int ShowDatabaseErrorMessage(qint64 errorCode, TMsgDlgType type, const QString& serverText = QString());
// The text of a numbered message as ShowNumberedMessage shows it.
QString NumberedMessageText(int number);

// The red dialog (confirmations, fatal start-up errors) and the gray one
// (information). Each opens where it was last closed (registry key
// "Software\Kalim\TRedMessageDlg" or "...\TGrayMessageDlg", values Left and
// Top) and stores its position when closed. Returns the modal result.
int RedMessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int defaultResult);
int GrayMessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int defaultResult);
// "Nie sú údaje pre tlač." in the gray dialog.
void ShowNoDataToPrint();

// " and " once the upper-cased SQL text holds the keyword as often as
// `occurrence` says (plain substring search), else " where ".
QString SqlWhereOrAnd(const QString& sql, const QString& keyword = QStringLiteral("where"),
                      const QString& alternative = QStringLiteral("and"), int occurrence = 1);
// The value rounded to `decimals` places, ties to even; 10 or more places,
// or a value too large to scale, show an error message and give 0.
double RoundToDecimals(int decimals, double value);
// `count` copies of the character, at most 255; empty for count <= 0.
QString CharString(QChar character, int count);
// Replaces the Czech and Slovak letters with diacritics by their plain
// letters and upper-cases a-z; other characters stay as they are.
QString StripDiacriticsUpper(const QString& text);

// A file's version numbers and their text "%d.%d.%d.%d". Only the program
// file carries a version; any other file gives zeros and an empty text.
struct TFileVersion {
  quint16 Major = 0, Minor = 0, Release = 0, Build = 0;
  QString Text;
};
TFileVersion GetFileVersion(const QString& fileName);

// Sets each text panel of the status bar to its text's width plus 6 pixels.
void FitStatusBarPanels(QStatusBar& statusBar);
// Hook for tracing a list query right before it opens; does nothing.
inline void TraceQuerySQL(const TIBQuery&, const QString&) {}

// The number in Slovak words (receipts' "suma slovom").
QString NumberInWords(qint64 number);
