#pragma once
#include "reports/engine/rpView.h"
#include <QtCore/QByteArray>

class TField;

// One graphic as templates store it: its kind (0 none, 1 bitmap, 2 metafile,
// 3 icon, 4 JPEG image) and its bytes in the graphic's own file format. The
// bytes are kept as read, so a template writes back exactly what it held;
// bitmaps and JPEG images are also decoded for drawing.
struct TrpGraphic {
  quint8 Kind = 0;
  QByteArray Data;
  QImage Image; // null for metafiles and for data Qt cannot decode

  bool IsEmpty() const { return Kind == 0 || Data.isEmpty(); }
  void Clear() { *this = {}; }
  // Takes the bytes of a graphic of the kind and decodes what Qt's image readers know.
  void Load(quint8 kind, const QByteArray& data);
};

// The picture object: a graphic stored in the template or taken from a blob
// field while the report is built; stretched, proportional and centred on request.
class TrpPictureView : public TrpView {
public:
  TrpPictureView();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(const QString& name, const QVariant& a1, const QVariant& a2, const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;

  // The field's bytes as a graphic of the kind BlobType names; a null field clears the picture.
  void LoadFromBlobField(TField* field) override;
  // The graphic of the file (kind by extension); a missing file or empty name clears the picture.
  void LoadFromFile(const QString& fileName);
  // The rectangle the picture is drawn into inside DrawRect (device units).
  QRect TargetRect() const;

  TrpGraphic Picture;
  quint8 BlobType = 0; // 0 bitmap, 1 JPEG, 2 icon, 3 metafile
};

enum : quint16 { pfStretched = 1, pfCenter = 2, pfKeepAspect = 4 };
