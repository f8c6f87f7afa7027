#pragma once
#include "core/ui/Form.h"
#include <QtCore/QPointer>

class QLabel;
class QTextCharFormat;
class QTextEdit;
class QToolBar;
class TrpComboBox;
class TrpFontComboBox;
class TrpRichText;
class TrpSpeedButton;

// The rich-text editor: a tool bar (open, save, undo, font, size, bold,
// italic, underline, alignment, bullets, font dialog, insert expression,
// help, cancel, OK), a ruler with the paragraph's indent markers, and the
// text (RichEdit1). One hidden instance lives for the program's run (rpRichForm).
class TrpRichForm : public TForm {
  Q_OBJECT
public:
  explicit TrpRichForm(QWidget* parent = nullptr);
  ~TrpRichForm() override;

  void SetText(const TrpRichText& text);
  void GetText(TrpRichText& text) const;
  void ClearText();

  // Shows the caret's attributes: ruler markers, style and alignment buttons, font and size.
  void SelectionChanged();
  // Sets the paragraph's indents (points) from the markers' places.
  void IndentsFromRuler();
  // The open and save dialogs; empty when cancelled.
  static std::function<QString(QWidget* parent, const QString& filter, bool save)>& ChooseFile();
  // Loads a ".rtf" file (".txt" as plain text); raises Exception when it cannot be read.
  void OpenFile(const QString& fileName);
  // Writes RTF, or plain text for a ".txt" name; raises Exception when it cannot be written.
  void SaveFile(const QString& fileName) const;
  bool InHelpMode() const { return helpMode_; }

  QToolBar* ToolBar;
  TrpSpeedButton* OpenButton;
  TrpSpeedButton* SaveButton;
  TrpSpeedButton* UndoButton;
  TrpFontComboBox* FontName;
  TrpComboBox* FontSize;
  TrpSpeedButton* BoldButton;
  TrpSpeedButton* ItalicButton;
  TrpSpeedButton* UnderlineButton;
  TrpSpeedButton* LeftAlign;
  TrpSpeedButton* CenterAlign;
  TrpSpeedButton* RightAlign;
  TrpSpeedButton* BulletsButton;
  TrpSpeedButton* SpeedButton1;
  TrpSpeedButton* SpeedButton2;
  TrpSpeedButton* HelpBtn;
  TrpSpeedButton* CancBtn;
  TrpSpeedButton* OkBtn;
  QWidget* Ruler;
  QLabel* FirstInd;
  QLabel* LeftInd;
  QLabel* RightInd;
  QTextEdit* RichEdit1;

protected:
  void FormShow() override;
  void FormActivate() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void SetTexts();
  void ApplyStyle();
  void SetAlignment(Qt::Alignment alignment);
  void ToggleBullets();
  void ApplyFontName();
  void ApplyFontSize();
  void ChooseFont();
  void InsertExpression();
  void EnterHelpMode();
  void MergeFormat(const QTextCharFormat& format);
  void PlaceMarkers();

  bool updating_ = false;
  bool helpMode_ = false;
  QLabel* dragged_ = nullptr;
  int dragOffset_ = 0;
};

// The program's rich-text editor window, created hidden on first use.
TrpRichForm& rpRichForm();
// Frees it (the program's end).
void rpFreeRichForm();
