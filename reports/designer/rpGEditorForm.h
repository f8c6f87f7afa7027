#pragma once
#include "reports/engine/rpPictureView.h"
#include "reports/engine/ui/rpObjEditorForm.h"

class QPushButton;
class QWidget;
class TrpReportDesigner;

// The picture editor of a picture object: load a file, clear, or paste the
// clipboard's picture (Ctrl+V, Shift+Insert) into a working copy that
// becomes the object's picture on OK.
class TrpGEditorForm : public TrpObjEditorForm {
  Q_OBJECT
public:
  explicit TrpGEditorForm(QWidget* parent = nullptr);

  // Edits the picture of a picture object; the modal result (Cancel for any other object).
  int ShowEditor(TrpView* object) override;
  // A picture file into the working picture; a kind Qt cannot decode shows
  // the graphics error and keeps the picture. False when refused.
  bool LoadPicture(const QString& fileName);
  // The clipboard's picture; none shows the graphics error.
  bool PastePicture();
  void ClearPicture() { Working.Clear(); }

  TrpGraphic Working;
  QWidget* PreviewArea;
  QPushButton* LoadButton;
  QPushButton* ClearButton;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// The text of the graphics error.
QString rpInvalidPictureText();
