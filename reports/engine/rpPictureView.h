#pragma once
#include "reports/engine/rpView.h"
#include <QtCore/QByteArray>
#include <QtGui/QPicture>

class TField;

// One graphic as templates store it: its kind (0 none, 1 bitmap, 2 metafile,
// 3 icon, 4 JPEG image) and its bytes in the graphic's own file format. The
// bytes are kept as read, so a template writes back exactly what it held;
// bitmaps, icons and JPEG images are decoded into Image, metafiles (QPicture
// recordings in this system) into Recording.
struct TrpGraphic {
  quint8 Kind = 0;
  QByteArray Data;
  QImage Image;       // null for metafiles and for data Qt cannot decode
  QPicture Recording; // a metafile's drawing; null for the other kinds

  bool IsEmpty() const { return Kind == 0 || Data.isEmpty(); }
  // The decoded size in pixels; empty when nothing could be decoded.
  QSize Size() const;
  void Clear() { *this = TrpGraphic(); }
  // Takes the bytes of a graphic of the kind and decodes what Qt's image readers know.
  void Load(quint8 kind, const QByteArray& data);
};

// The picture object: a graphic stored in the template or taken from a blob
// field while the report is built; stretched, proportional and centred on request.
class TrpPictureView : public TrpView {
public:
  TrpPictureView();
  ~TrpPictureView() override;
  TrpPictureView(const TrpPictureView&) = delete; // the picture reference is the object's own
  TrpPictureView& operator=(const TrpPictureView&) = delete;
  // The designer's picture editor.
  void OpenEditor() override;

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;

  // The field's bytes as a graphic of the kind BlobType names; a null field clears the picture.
  void LoadFromBlobField(TField* field) override;
  // The graphic of the file (kind by extension); a missing file or empty name clears the picture.
  void LoadFromFile(const QString& fileName);
  // The rectangle the picture is drawn into inside DrawRect (device units).
  QRect TargetRect() const;
  // Background, the graphic in TargetRect (no icon on a printer), frame.
  void Draw(TrpRunContext& run, QPainter* canvas) override;

  // The number by which scripts refer to this object's picture (PICTURE):
  // unique in the process and never reused, so a stale number finds nothing.
  qint64 PictureReference() const { return reference_; }
  // The live picture object with that reference number, or null.
  static TrpPictureView* FindByPictureReference(qint64 reference);

  TrpGraphic Picture;
  quint8 BlobType = 0; // 0 bitmap, 1 JPEG, 2 icon, 3 metafile

private:
  // A number from PICTURE: 0 clears the picture, a live object's number copies its picture, others are ignored.
  void AssignPictureReference(const QVariant& value);

  qint64 reference_ = 0;
};

enum : quint16 { pfStretched = 1, pfCenter = 2, pfKeepAspect = 4 };
