#include "ObjectsFixture.h"
#include "reports/engine/rpPage.h"
#include "reports/objects/RegisterReportObjects.h"

ObjectsFixture::ObjectsFixture() {
  rpEngineStart();
  TrpGlobals& g = rpGlobals();
  g.ErrorBox = [this](const QString& text, const QString& caption) {
    messages.append(caption + QStringLiteral(": ") + text);
  };
  g.TextWidth = [](const QFont&, const QString& text) { return int(text.size()) * 10; };
  RegisterReportObjects();
}

ObjectsFixture::~ObjectsFixture() { rpEngineEnd(); }

void WriteViewRecord(TBinaryWriter& s, const TViewRecord& v, int version) {
  rpWriteString(s, v.Name);
  if (version > 23) {
    rpWriteByte(s, 2); // the common record's version
    rpWriteByte(s, 0); // the class's record version
  }
  for (qint32 n : {v.Left, v.Top, v.Width, v.Height})
    rpWriteInteger(s, n);
  rpWriteWord(s, v.Flags);
  rpWriteWord(s, v.FrameTyp);
  rpWriteInteger(s, v.FrameWidthCode);
  rpWriteInteger(s, v.FrameColor);
  rpWriteWord(s, v.FrameStyle);
  rpWriteInteger(s, v.FillColor);
  rpWriteInteger(s, v.DisplayFormatCode);
  rpWriteString(s, v.DisplayFormatText);
  rpWriteMemo(s, v.Memo);
  rpWriteMemo(s, v.Script);
  rpWriteWord(s, v.Visible ? 0xFFFF : 0);
  if (version <= 23) return;
  rpWriteWord(s, v.Restrictions);
  rpWriteString(s, v.Tag);
  rpWriteInteger(s, v.GapX);
  rpWriteInteger(s, v.GapY);
  rpWriteByte(s, v.BandAlign);
}

void WriteMemoRecord(TBinaryWriter& s) {
  rpWriteString(s, QStringLiteral("Arial"));
  rpWriteInteger(s, 10);
  rpWriteWord(s, 0);
  rpWriteInteger(s, 0);
  rpWriteInteger(s, 0);
  rpWriteWord(s, 1);
  rpWriteWord(s, 2);
  rpWriteInteger(s, 0);
  rpWriteInteger(s, 0xFFFFFF);
  rpWriteString(s, QString());
  rpWriteInteger(s, 2);
  rpWriteInteger(s, 0);
}

void StopClock(TrpReport& report) {
  report.Now = [] { return TDateTime(45000.5); };
}

QByteArray TemplateWith(const QList<TObjectRecord>& objects, int version) {
  TBinaryWriter s;
  rpWriteByte(s, quint8(version));
  rpWriteWord(s, 0);                   // use the current printer
  rpWriteWord(s, 0);                   // two passes
  rpWriteString(s, QString(QChar(1))); // the virtual printer
  rpWriteByte(s, 255);                 // a page: A4 portrait, default margins
  if (version > 23) rpWriteInteger(s, -1);
  for (qint32 n : {9, version > 23 ? 2100 : 0, version > 23 ? 2970 : 0, 0, 0, 0, 0})
    rpWriteInteger(s, n);
  rpWriteByte(s, 0);
  if (version > 23) rpWriteInteger(s, 65535);
  rpWriteWord(s, 0);
  rpWriteWord(s, 0xFFFF);
  rpWriteInteger(s, 0);
  rpWriteInteger(s, 0);
  if (version > 23) {
    rpWriteByte(s, 0);
    rpWriteString(s, QString());
    rpWriteByte(s, 3);
    rpWriteString(s, QStringLiteral("Form"));
    for (qint32 n : {qint32(clBtnFace), 220, 120, 380, 300})
      rpWriteInteger(s, n);
    rpWriteByte(s, 4);
    rpWriteMemo(s, {});
  }
  const qsizetype headerSize = s.Size();
  for (const TObjectRecord& object : objects) {
    rpWriteByte(s, 10);
    rpWriteString(s, object.ClassName);
    rpWriteByte(s, 0);
    if (version > 23) {
      const qsizetype endField = s.Size();
      rpWriteInteger(s, 0);
      const qsizetype start = s.Size();
      s.WriteBytes(object.Record);
      // A position the record holds is one of the whole file: the record's end.
      if (object.EndPositionAt >= 0) s.PatchUInt32(start + object.EndPositionAt, quint32(s.Size()));
      s.PatchUInt32(endField, quint32(s.Size()));
    } else {
      s.WriteBytes(object.Record);
    }
  }
  if (version <= 23) {
    rpWriteByte(s, 252);
    return s.TakeData();
  }
  // The dictionary, end mark and report information as the engine writes them for an empty report.
  TrpReport empty;
  StopClock(empty);
  empty.Pages.Clear();
  empty.Pages.Add();
  const QByteArray saved = empty.SaveToStream();
  const QByteArray header = s.Data().left(headerSize);
  if (!saved.startsWith(header))
    throw std::runtime_error("the fixture's page record differs from the engine's: " + header.toHex().toStdString() +
                             " / " + saved.left(headerSize).toHex().toStdString());
  s.WriteBytes(saved.mid(headerSize));
  return s.TakeData();
}
