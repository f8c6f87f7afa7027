#pragma once
#include "core/ui/Form.h"
#include <QtCore/QStringList>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The chooser of a template for a new report: the ".rpt" files of the
// template folder as large icons, the chosen one's description and picture.
class TrpTemplForm : public TForm {
  Q_OBJECT
public:
  explicit TrpTemplForm(const QString& folder, QWidget* parent = nullptr);

  // The full path of the chosen template after OK.
  QString FileName() const { return fileName_; }

  QListWidget* TemplatesLV;
  QPlainTextEdit* DescriptionMemo;
  QLabel* PictureImage;
  QPushButton* OkButton;

private:
  void ShowTemplate();

  QStringList files_;
  QString fileName_;
};

// The dialog that asks for the description and the picture of a template being saved.
class TrpTemplNewForm : public TForm {
  Q_OBJECT
public:
  explicit TrpTemplNewForm(QWidget* parent = nullptr);

  QStringList Comment() const;
  QImage Picture() const { return picture_; }
  // Loads a bitmap file as the picture; false (the picture unchanged) when it is none.
  bool LoadPicture(const QString& fileName);

  QPlainTextEdit* CommentMemo;
  QLabel* PictureImage;
  QPushButton* BrowseButton;

private:
  QImage picture_;
};
