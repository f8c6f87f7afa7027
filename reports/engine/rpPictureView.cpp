#include "reports/engine/rpPictureView.h"
#include "core/DataSet.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpParser.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtGui/QPainter>

namespace {

const char* FormatOf(quint8 kind) {
  switch (kind) {
  case 1:
    return "BMP";
  case 3:
    return "ICO";
  case 4:
    return "JPG";
  default:
    return nullptr;
  }
}

// Graphic kind of a blob type: bitmap, JPEG, icon, metafile; 0 for other values.
quint8 KindOfBlobType(quint8 blobType) {
  static const quint8 kinds[] = {1, 4, 3, 2};
  return blobType < 4 ? kinds[blobType] : 0;
}

quint8 KindOfExtension(const QString& fileName) {
  const QString ext = QFileInfo(fileName).suffix().toLower();
  if (ext == QLatin1String("bmp")) return 1;
  if (ext == QLatin1String("wmf") || ext == QLatin1String("emf")) return 2;
  if (ext == QLatin1String("ico")) return 3;
  if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return 4;
  return 0;
}

// Live picture objects by their reference numbers (scripts hand pictures on by number).
QHash<qint64, TrpPictureView*>& References() {
  static QHash<qint64, TrpPictureView*> references;
  return references;
}

bool SetFlag(quint16& flags, quint16 bit, const QVariant& value) {
  flags = rpValueToInteger(value) != 0 ? flags | bit : flags & ~bit;
  return true;
}

} // namespace

void TrpGraphic::Load(quint8 kind, const QByteArray& data) {
  Kind = kind;
  Data = data;
  const char* format = FormatOf(kind);
  Image = format ? QImage::fromData(data, format) : QImage();
  Recording = QPicture();
  // A recording that fails its own header check has empty bounds and is not drawn.
  if (kind == 2 && !data.isEmpty()) Recording.setData(data.constData(), uint(data.size()));
}

QSize TrpGraphic::Size() const {
  if (Kind == 2) return Recording.isNull() ? QSize() : Recording.boundingRect().size();
  return Image.size();
}

TrpPictureView* TrpPictureView::FindByPictureReference(qint64 reference) {
  return References().value(reference, nullptr);
}

TrpPictureView::~TrpPictureView() { References().remove(reference_); }

void TrpPictureView::OpenEditor() {
  if (rpEngineStarted() && rpGlobals().DesignerEditor) rpGlobals().DesignerEditor(this, QStringLiteral("Picture"));
}

TrpPictureView::TrpPictureView() {
  static qint64 lastReference = 0;
  reference_ = ++lastReference;
  References().insert(reference_, this);
  SetKind(1, QStringLiteral("Picture"), QStringLiteral("TrpPictureView"));
  Flags = pfStretched | pfKeepAspect;
  TrpVariables& consts = rpConsts();
  const char* names[] = {"btBMP", "btJPG", "btICO", "btWMF"};
  for (int i = 0; i < 4; ++i)
    consts.SetVariable(QLatin1String(names[i]), rpIntegerValue(i));
}

void TrpPictureView::ListProperties() {
  ListViewProperties(true);
  AddPropertyRec(QStringLiteral("Picture"), ptEditor);
  for (const char* n : {"Stretched", "Center", "KeepAspect"})
    AddPropertyRec(QLatin1String(n), ptBoolean);
  AddPropertyRec(QStringLiteral("DataField"), ptText | ptEditor | ptSingleOnly);
  AddEnumPropertyRec(QStringLiteral("BlobType"), QStringLiteral("btBMP;btJPG;btICO;btWMF"));
}

void TrpPictureView::WriteProperty(const QString& name, const QVariant& value) {
  TrpView::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (n == QLatin1String("CENTER"))
    SetFlag(Flags, pfCenter, value);
  else if (n == QLatin1String("KEEPASPECT"))
    SetFlag(Flags, pfKeepAspect, value);
  else if (n == QLatin1String("BLOBTYPE"))
    BlobType = quint8(rpValueToInteger(value));
  else if (n == QLatin1String("PICTURE"))
    AssignPictureReference(value);
}

void TrpPictureView::AssignPictureReference(const QVariant& value) {
  bool number = false;
  const qint64 reference = value.toLongLong(&number);
  if (!number) return;
  if (reference == 0) {
    Picture.Clear();
  } else if (const TrpPictureView* source = FindByPictureReference(reference); source && source != this) {
    Picture = source->Picture;
  }
}

QVariant TrpPictureView::ReadProperty(const QString& name) {
  QVariant result = TrpView::ReadProperty(name);
  if (!rpIsNull(result)) return result;
  const QString n = name.toUpper();
  if (n == QLatin1String("CENTER")) return (Flags & pfCenter) != 0;
  if (n == QLatin1String("KEEPASPECT")) return (Flags & pfKeepAspect) != 0;
  if (n == QLatin1String("BLOBTYPE")) return rpIntegerValue(BlobType);
  if (n == QLatin1String("PICTURE")) return rpIntegerValue(reference_);
  return {};
}

QVariant TrpPictureView::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                    const QVariant& a3) {
  QVariant result = TrpView::CallMethod(run, name, a1, a2, a3);
  if (name == QLatin1String("LOADFROMFILE")) LoadFromFile(rpValueToText(run.Parser->Calc(a1.toString())));
  return result;
}

void TrpPictureView::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    Picture.Clear();
    return;
  }
  Picture.Load(KindOfExtension(fileName), file.readAll());
}

void TrpPictureView::LoadFromBlobField(TField* field) {
  if (!field || field->IsNull()) {
    Picture.Clear();
    return;
  }
  Picture.Load(KindOfBlobType(BlobType), field->AsVariant().toByteArray());
}

void TrpPictureView::SaveToStream(TBinaryWriter& stream) {
  TrpView::SaveToStream(stream);
  rpWriteByte(stream, Picture.IsEmpty() ? 0 : Picture.Kind);
  rpWriteByte(stream, BlobType);
  const qsizetype endField = stream.Size();
  rpWriteInteger(stream, 0);
  if (!Picture.IsEmpty()) stream.WriteBytes(Picture.Data);
  stream.PatchUInt32(endField, quint32(stream.Size()));
}

void TrpPictureView::LoadFromStream(TBinaryReader& stream) {
  TrpView::LoadFromStream(stream);
  const quint8 kind = rpReadByte(stream);
  if (RecordVersionPair() > 10) BlobType = rpReadByte(stream);
  const qint64 end = quint32(rpReadInteger(stream));
  // An end before the data or past the stream would read someone else's bytes.
  if (end < stream.Position() || end > stream.Size())
    throw EStreamError(QStringLiteral("Chybná dĺžka obrázka v šablóne."));
  const QByteArray data = stream.ReadBytes(end - stream.Position());
  if (kind == 0 || kind > 4)
    Picture.Clear();
  else
    Picture.Load(kind, data);
}

QRect TrpPictureView::TargetRect() const {
  const QRect& d = DrawRect;
  const QSize picture = Picture.Size();
  if (picture.isEmpty()) return d;
  if (Flags & pfStretched) {
    if (!(Flags & pfKeepAspect)) return d;
    const double kx = double(Width) / picture.width(), ky = double(Height) / picture.height();
    QRect r = kx < ky ? QRect(d.left(), d.top(), d.width(), rpRoundEven(picture.height() * kx))
                      : QRect(d.left(), d.top(), rpRoundEven(picture.width() * ky), d.height());
    if (Flags & pfCenter) r.translate((d.width() - r.width()) / 2, (d.height() - r.height()) / 2);
    return r;
  }
  const int w = rpRoundEven(picture.width() * ZoomX), h = rpRoundEven(picture.height() * ZoomY);
  QRect r(d.left(), d.top(), w, h);
  if (Flags & pfCenter) r.translate((d.width() - w) / 2, (d.height() - h) / 2);
  return r;
}

void TrpPictureView::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  ToDeviceCoords(!run.EngineMode);
  PaintBackground(run);
  const QSize size = Picture.Size();
  if (Picture.IsEmpty() || size.isEmpty()) {
    if (!run.EngineMode && canvas) {
      canvas->save();
      canvas->setClipRect(DrawRect);
      canvas->setFont(QFont(QStringLiteral("Arial"), 8));
      canvas->setPen(Qt::black);
      canvas->drawText(QPoint(Left + 20, Top + 3 + canvas->fontMetrics().ascent()), rpLoadStr(55228));
      canvas->restore();
    }
  } else if (canvas && !run.SuppressDrawing && !(Picture.Kind == 3 && PrinterOutput)) {
    const QRect r = TargetRect();
    if (Picture.Kind == 2) {
      const QRect bounds = Picture.Recording.boundingRect();
      canvas->save();
      canvas->translate(r.topLeft());
      canvas->scale(double(r.width()) / bounds.width(), double(r.height()) / bounds.height());
      canvas->translate(-bounds.topLeft());
      canvas->drawPicture(0, 0, Picture.Recording);
      canvas->restore();
    } else {
      canvas->drawImage(r, Picture.Image);
    }
  }
  PaintFrame(run);
  RestoreDesignCoords();
}

void TrpPictureView::WriteXmlElement(QString& element) {
  TrpView::WriteXmlElement(element);
  if (!Picture.Data.isEmpty()) {
    QBuffer bytes(&Picture.Data);
    bytes.open(QIODevice::ReadOnly);
    rpXmlAttribute(element, QStringLiteral("Picture.Propdata"), rpStreamToHex(bytes));
  }
  if (!Memo.isEmpty()) {
    QString reference = Memo.first().trimmed();
    if (reference.startsWith(QLatin1Char('[')) && reference.endsWith(QLatin1Char(']')))
      reference = reference.mid(1, reference.size() - 2);
    TDataSet* dataSet = nullptr;
    QString field;
    try {
      rpGetDataSetAndField(rpRun().CurrentReport, reference, dataSet, field);
    } catch (const Exception&) {
      dataSet = nullptr; // a text that names no field writes no binding
    }
    if (dataSet && !field.isEmpty()) {
      const QString owner = dataSet->parent() ? dataSet->parent()->objectName() : QString();
      rpXmlAttribute(element, QStringLiteral("DataSet"), owner + QLatin1Char('.') + dataSet->objectName());
      rpXmlAttribute(element, QStringLiteral("DataField"), field);
    }
  }
  if (!(Flags & pfStretched)) rpXmlAttribute(element, QStringLiteral("Stretched"), QStringLiteral("False"));
  if (Flags & pfCenter) rpXmlAttribute(element, QStringLiteral("Center"), QStringLiteral("True"));
  if (!(Flags & pfKeepAspect)) rpXmlAttribute(element, QStringLiteral("KeepAspectRatio"), QStringLiteral("False"));
}
