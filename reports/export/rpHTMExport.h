#pragma once
#include "reports/export/rpTextExport.h"
#include <QtGui/QImage>

class TrpPictureView;

// The line HTML export: all pages in one table, a row per collected line and
// a cell per text, in code page 1250; pictures optionally saved as files
// beside the document ("htm" + number + ".bmp" or ".jpg").
class TrpHTMExport : public TrpTextExport {
  Q_OBJECT
public:
  explicit TrpHTMExport(QObject* owner = nullptr);

  int OptionsDialog() override;
  void BeginDocument() override;
  void EndDocument() override;
  void EndPage() override;
  void ObjectData(int x, int y, TrpView* object) override;

  bool ExportPictures = false;

private:
  struct TStoredPicture {
    int X, Y, Width, Height;
    bool Jpeg;
    QByteArray Data; // the JPEG file as stored, or empty for a bitmap
    QImage Image;
  };
  void SavePictures();
  QByteArray Cell(const TrpExportTextLine& record) const;

  QList<TStoredPicture> pictures_;
  int pictureCounter_ = 0;
};
