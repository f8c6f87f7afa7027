#include "reports/engine/rpReport.h"
#include "core/CodePage1250.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPageBuild.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpSubReportView.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpXmlWriter.h"
#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>

namespace {

enum : quint8 { tagPage = 255, tagDictionary = 254, tagDataManager = 253, tagEnd = 252 };
constexpr quint8 kInfoMarker = 88;

QString UnsupportedText() { return QStringLiteral("Nepodporovaný RPF formát"); }

void WriteCountedText(TBinaryWriter& stream, const QString& text) {
  const QByteArray bytes = Cp1250::EncodeLossy(text).left(0xFFFF);
  rpWriteWord(stream, quint16(bytes.size()));
  stream.WriteBytes(bytes);
}

QString ReadCountedText(TBinaryReader& stream) { return stream.ReadCp1250(stream.ReadUInt16()); }

// The missing-class failure; it keeps the pages read so far.
class EMissingClasses : public Exception {
public:
  using Exception::Exception;
};

QByteArray BitmapFile(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "BMP");
  return bytes;
}

void WriteFile(const QString& fileName, const QByteArray& data) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
    throw Exception(QStringLiteral("Súbor %1 sa nedá zapísať.").arg(fileName));
}

} // namespace

TrpReport::TrpReport(QObject* owner)
    : TrpReportBase(owner), Now([] { return DateTime::FromDateTime(QDateTime::currentDateTime()); }) {
  runContext_.Parser = std::make_shared<TrpParser>();
  runContext_.Interpreter = std::make_shared<TInterpretator>(runContext_);
  Pages.Add();
  EMFPages.OnPageAdded = [this](int pageNumber) {
    // The report being built hears of the page first, then this one (a composite) when it differs.
    auto* current = rpEngineStarted() ? dynamic_cast<TrpReport*>(rpRun().CurrentReport) : nullptr;
    if (current && current != this && current->OnBeginPage) current->OnBeginPage(pageNumber);
    if (OnBeginPage) OnBeginPage(pageNumber);
  };
}

TrpReport::~TrpReport() {
  if (rpEngineStarted() && rpRun().CurrentReport == this) {
    rpRun().CurrentReport = nullptr;
    ForgetCurrentObjects();
  }
}

void TrpReport::ForgetCurrentObjects() {
  // The run state and an open designer must not point into pages that are
  // about to be freed.
  if (TrpReportDesigner* designer = rpCurrentDesigner();
      designer && designer->Page && Pages.IndexOf(designer->Page) >= 0)
    designer->ReleasePages();
  // Both the context now running and the report's own, which keeps the last build's.
  for (TrpRunContext* g : {&rpRun(), &runContext_}) {
    g->CurrentPage = nullptr;
    g->CurrentObject = nullptr;
    g->CurrentBand = nullptr;
  }
}

void TrpReport::ClearTemplate() {
  ForgetCurrentObjects();
  Pages.Clear();
  Dictionary.Clear();
  DoublePassReport = false;
  ClearReportInfo();
}

void TrpReport::ResetToEmptyPage() {
  ForgetCurrentObjects();
  Pages.Clear();
  Pages.Add();
}

void TrpReport::SelectPrinterByName(const QString& name) {
  // A template that asks for the current printer keeps the user's choice.
  if (!UseCurrentPrinter) rpPrinter().SelectByName(name);
}

TrpView* TrpReport::FindObject(const QString& name) const {
  for (int i = 0; i < Pages.Count(); ++i)
    if (TrpView* view = Pages.GetPage(i)->FindObject(name)) return view;
  return nullptr;
}

// --- reading

void TrpReport::LoadFromStream(const QByteArray& data, bool fromFile) {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = rpRun();
  TrpReport::EndBuild(); // page builds refer to the pages about to be replaced
  run.CurrentReport = this;
  run.EngineMode = false;
  Dictionary.Clear();
  if (data.isEmpty()) return;
  TBinaryReader stream(data);
  quint8 version = stream.ReadByte();
  if (version <= 20) {
    // Written before version bytes existed: the pages section starts at once.
    version = 21;
    stream.Seek(0);
  }
  run.LoadErrorFlag = false;
  run.LoadErrorText.clear();
  if (version > kStreamVersion) {
    g.ErrorBox(UnsupportedText(), rpLoadStr(55206));
    return;
  }
  run.StreamVersion = version;
  try {
    ReadPagesSection(stream);
    if (stream.AtEnd())
      ClearReportInfo();
    else
      ReadReportInfo(stream);
  } catch (const EMissingClasses& e) {
    EnsureOnePage();
    g.ErrorBox(e.Message(), rpLoadStr(55206));
    return;
  } catch (const Exception&) {
    FailUnsupported();
    return;
  }
  if (Info.AskPassword && fromFile && !PasswordAccepted()) {
    ClearReportInfo();
    FileName = kUntitled;
    ResetToEmptyPage();
  }
  EnsureOnePage();
}

void TrpReport::EnsureOnePage() {
  // A template without page records would leave callers nothing to place objects on.
  if (Pages.Count() == 0) Pages.Add();
}

void TrpReport::FailUnsupported() {
  ResetToEmptyPage();
  rpGlobals().ErrorBox(UnsupportedText(), rpLoadStr(55206));
}

bool TrpReport::PasswordAccepted() {
  QString typed;
  return rpGlobals().AskPassword(typed) && typed == Info.Password;
}

void TrpReport::ReadPagesSection(TBinaryReader& stream) {
  TrpRunContext& g = rpRun();
  ClearTemplate();
  UseCurrentPrinter = stream.ReadUInt16() != 0;
  DoublePassReport = stream.ReadUInt16() != 0;
  const QString printer = rpReadReportString(stream);
  SelectPrinterByName(printer == QString(QChar(1)) ? rpLoadStr(55007) : printer);
  while (!stream.AtEnd()) {
    const quint8 tag = stream.ReadByte();
    if (tag == tagPage) {
      Pages.Add()->LoadFromStream(stream);
    } else if (tag == tagDictionary) {
      Dictionary.LoadFromStream(stream);
    } else if (tag == tagDataManager) {
      stream.ReadByte(); // no data manager is installed: its block is empty
      break;
    } else if (tag == tagEnd) {
      break;
    } else if (tag > 10) {
      throw EStreamError(UnsupportedText());
    } else {
      ReadObjectRecord(stream, tag);
    }
  }
  if (g.LoadErrorFlag)
    throw EMissingClasses(QStringLiteral("Report contains the following non-plugged components:\r") + g.LoadErrorText +
                          QStringLiteral("You must include these components into your project."));
  for (int p = 0; p < Pages.Count(); ++p)
    for (int i = 0; i < Pages.GetPage(p)->Count(); ++i)
      Pages.GetPage(p)->GetObject(i)->AfterLoad();
}

void TrpReport::ReadObjectRecord(TBinaryReader& stream, quint8 kind) {
  TrpRunContext& g = rpRun();
  const int version = g.StreamVersion;
  QString className = kind == 10 ? rpReadReportString(stream) : QString();
  const QString upper = className.toUpper();
  const bool framedMemo = upper == QLatin1String("TRPFRAMEDMEMOVIEW");
  if (upper == QLatin1String("TRPLEGACYLOOKUPCONTROL") || upper == QLatin1String("TRPFBLOOKUPCONTROL"))
    className = QStringLiteral("TrpDBLookupControl");
  const quint8 pageIndex = stream.ReadByte();
  qsizetype end = -1;
  if (version >= 24) {
    end = quint32(stream.ReadInt32());
    // An end outside the rest of the stream would loop back or run past the data.
    if (end < stream.Position() || end > stream.Size()) throw EStreamError(UnsupportedText());
  }
  TrpPage* page = pageIndex < Pages.Count() ? Pages.GetPage(pageIndex) : nullptr;
  TrpView* placed = nullptr;
  try {
    std::unique_ptr<TrpView> view = rpNewObjectOfType(framedMemo ? 0 : kind, className);
    if (!view && kind == 10) {
      g.LoadErrorFlag = true;
      g.LoadErrorText += className + QLatin1Char('\r');
      throw EClassNotFound(g.LoadErrorText);
    }
    if (view) {
      if (!page) throw EStreamError(QStringLiteral("Objekt patrí na neexistujúcu stranu."));
      g.CurrentPage = page;
      placed = page->Add(std::move(view));
      placed->LoadFromStream(stream);
      placed->WriteProperty(QStringLiteral("Name"), placed->Name);
      if (framedMemo) stream.ReadBytes(8);
    }
    if (end >= 0) stream.Seek(end);
  } catch (const Exception&) {
    // A broken object is left out; from version 24 on the next record starts at its end.
    if (placed) page->Delete(page->Count() - 1);
    if (end >= 0) stream.Seek(end);
  }
}

void TrpReport::ReadReportInfo(TBinaryReader& stream) {
  TrpReportInfo info;
  for (QString* text : {&info.Comment, &info.Name, &info.Author, &info.VersionMajor, &info.VersionMinor,
                        &info.VersionRelease, &info.VersionBuild})
    *text = ReadCountedText(stream);
  const QByteArray hex = stream.ReadBytes(stream.ReadUInt16());
  info.Password = Cp1250::Decode(QByteArray::fromHex(hex));
  stream.ReadByte(); // the marker
  info.AskPassword = stream.ReadByte() == 1;
  info.Created = stream.ReadDouble();
  info.LastChange = stream.ReadDouble();
  Info = info;
}

// --- writing

QByteArray TrpReport::SaveToStream() {
  TrpRunContext& g = rpRun();
  g.StreamVersion = kStreamVersion;
  TBinaryWriter stream;
  rpWriteByte(stream, kStreamVersion);
  WritePagesSection(stream);
  rpWriteByte(stream, tagEnd);
  WriteReportInfo(stream);
  return stream.TakeData();
}

void TrpReport::WritePagesSection(TBinaryWriter& stream) {
  rpWriteWord(stream, UseCurrentPrinter ? 0xFFFF : 0);
  rpWriteWord(stream, DoublePassReport ? 0xFFFF : 0);
  const TrpPrinter& printer = rpPrinter();
  rpWriteString(stream, printer.IsVirtual() ? QString(QChar(1)) : printer.CurrentPrinterName());
  for (int p = 0; p < Pages.Count(); ++p) {
    rpWriteByte(stream, tagPage);
    Pages.GetPage(p)->SaveToStream(stream);
  }
  for (int p = 0; p < Pages.Count(); ++p) {
    const TrpPage* page = Pages.GetPage(p);
    for (int i = 0; i < page->Count(); ++i) {
      TrpView* view = page->GetObject(i);
      rpWriteByte(stream, view->ObjectKind);
      if (view->ObjectKind == 10) rpWriteString(stream, view->ClassName());
      rpWriteByte(stream, quint8(p));
      const qsizetype endField = stream.Size();
      rpWriteInteger(stream, 0);
      view->SaveToStream(stream);
      stream.PatchUInt32(endField, quint32(stream.Size()));
    }
  }
  rpWriteByte(stream, tagDictionary);
  Dictionary.SaveToStream(stream);
}

void TrpReport::WriteReportInfo(TBinaryWriter& stream) {
  for (const QString* text : {&Info.Comment, &Info.Name, &Info.Author, &Info.VersionMajor, &Info.VersionMinor,
                              &Info.VersionRelease, &Info.VersionBuild})
    WriteCountedText(stream, *text);
  const QByteArray hex = Cp1250::EncodeLossy(Info.Password).toHex().toUpper();
  rpWriteWord(stream, quint16(hex.size()));
  stream.WriteBytes(hex);
  rpWriteByte(stream, kInfoMarker);
  rpWriteByte(stream, Info.AskPassword ? 1 : 0);
  stream.WriteDouble(Info.Created);
  Info.LastChange = Now();
  stream.WriteDouble(Info.LastChange);
}

// --- files

bool TrpReport::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  FileName = fileName;
  LoadFromStream(file.readAll(), true);
  return true;
}

void TrpReport::SaveToFile(const QString& fileName) { WriteFile(fileName, SaveToStream()); }

void TrpReport::SaveAsXmlFile(const QString& fileName) {
  const QFileInfo info(fileName);
  const QString target = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".rp3");
  QBuffer document;
  document.open(QIODevice::WriteOnly);
  rpSaveToRP3Stream(*this, document);
  WriteFile(target, document.data());
}

void TrpReport::WriteTemplateFile(const QString& fileName, const QStringList& description, const QImage& picture) {
  rpRun().StreamVersion = kStreamVersion;
  TBinaryWriter stream;
  rpWriteMemo(stream, description);
  const qsizetype offsetField = stream.Size();
  rpWriteInteger(stream, 0);
  rpWriteByte(stream, picture.isNull() ? 0 : 1);
  if (!picture.isNull()) stream.WriteBytes(BitmapFile(picture));
  stream.PatchUInt32(offsetField, quint32(stream.Size()));
  WritePagesSection(stream);
  WriteFile(fileName, stream.Data());
}

bool TrpReport::ReadTemplateFile(const QString& fileName, QStringList* description, bool load, QImage* picture) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray data = file.readAll();
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = rpRun();
  run.StreamVersion = kStreamVersion;
  TBinaryReader stream(data);
  try {
    QStringList lines;
    rpReadMemo(stream, lines);
    const qint64 pagesOffset = quint32(stream.ReadInt32());
    const bool hasPicture = stream.ReadByte() == 1;
    if (pagesOffset < stream.Position() || pagesOffset > stream.Size()) throw EStreamError(UnsupportedText());
    if (!load) {
      if (description) *description = lines;
      if (picture)
        *picture = hasPicture ? QImage::fromData(stream.ReadBytes(pagesOffset - stream.Position()), "BMP") : QImage();
      return true;
    }
    stream.Seek(pagesOffset);
  } catch (const Exception&) {
    if (load) FailUnsupported();
    return false;
  }
  run.CurrentReport = this;
  run.LoadErrorFlag = false;
  run.LoadErrorText.clear();
  try {
    ReadPagesSection(stream);
  } catch (const EMissingClasses& e) {
    g.ErrorBox(e.Message(), rpLoadStr(55206));
  } catch (const Exception&) {
    FailUnsupported();
  }
  EnsureOnePage();
  return true;
}

// --- values while a report runs

void TrpReport::BindParser(TrpRunContext& run) {
  run.CurrentReport = this;
  // The parser belongs to the run, so its callbacks evaluate in that run.
  run.Parser->OnGetValue = [this, &run](const QString& name, QVariant& value) { ResolveName(run, name, value); };
  run.Parser->OnFunction = [this, &run](const QString& name, const QString& p1, const QString& p2, const QString& p3,
                                        QVariant& val) { CallReportFunction(run, name, p1, p2, p3, val); };
  if (!dynamic_cast<TInterpretator*>(run.Interpreter.get())) run.Interpreter = std::make_unique<TInterpretator>(run);
}

QVariant TrpReport::ReportInfoValue(const QString& name) const {
  static const QStringList names{QStringLiteral("REPORTCOMMENT"), QStringLiteral("REPORTNAME"),
                                 QStringLiteral("REPORTAUTOR"),   QStringLiteral("VMAJOR"),
                                 QStringLiteral("VMINOR"),        QStringLiteral("VRELEASE"),
                                 QStringLiteral("VBUILD")};
  const QString texts[] = {Info.Comment,      Info.Name,           Info.Author,      Info.VersionMajor,
                           Info.VersionMinor, Info.VersionRelease, Info.VersionBuild};
  const qsizetype index = names.indexOf(name);
  if (index >= 0) return texts[index];
  if (name == QLatin1String("REPORTDATE")) return rpDateTimeValue(Info.Created);
  if (name == QLatin1String("REPORTLASTCHANGE")) return rpDateTimeValue(Info.LastChange);
  return {};
}

void TrpReport::ResolveName(TrpRunContext& runContext, const QString& name, QVariant& value) {
  value = QVariant();
  if (OnGetValue) OnGetValue(name, value);
  if (!rpIsNull(value)) return;
  value = rpIntegerValue(0);
  TrpGlobals& g = rpGlobals();
  const TrpRunState* run = runContext.Run;
  if (Dictionary.Variables.IndexOf(name) >= 0 || Dictionary.ResolveName(runContext, name)) {
    value = Dictionary.GetValue(runContext, name);
  } else if (name == QLatin1String("VALUE")) {
    value = runContext.CurrentValue;
  } else if (name == QLatin1String("PAGE#")) {
    value = rpIntegerValue(runContext.PageNumber + 1);
  } else if (name == QLatin1String("DATE")) {
    value = rpDateTimeValue(runContext.RunDate);
  } else if (name == QLatin1String("TIME")) {
    value = rpDateTimeValue(runContext.RunTime);
  } else if (name == QLatin1String("LINE#") || name == QLatin1String("LINETHROUGH#")) {
    value = rpIntegerValue(run ? run->RowNumber(name == QLatin1String("LINETHROUGH#")) : 0);
  } else if (name == QLatin1String("COLUMN#")) {
    value = rpIntegerValue(run ? run->ColumnNumber() : 0);
  } else if (name == QLatin1String("CURRENT#")) {
    value = rpIntegerValue(run ? run->CurrentRow() : 0);
  } else if (name == QLatin1String("TOTALPAGES")) {
    value = rpIntegerValue(runContext.TotalPages);
  } else if (const QVariant info = ReportInfoValue(name); info.isValid()) {
    value = info;
  } else if (name == QLatin1String("CALCWIDTH")) {
    if (auto* memo = dynamic_cast<TrpMemoView*>(runContext.CurrentObject)) {
      memo->ExpandMemo(runContext);
      value = rpIntegerValue(memo->CalcWidth(memo->WorkLines));
    } else if (runContext.CurrentObject) {
      value = rpIntegerValue(runContext.CurrentObject->Width);
    }
  } else if (g.Variables.IndexOf(name) >= 0) {
    value = g.Variables.GetVariable(name);
  } else {
    value = QVariant();
    GetInternalValue(runContext, name, value);
    if (!rpIsNull(value)) return;
    if (name != runContext.EvaluatingName) {
      const QString saved = runContext.EvaluatingName;
      runContext.EvaluatingName = name;
      try {
        value = runContext.Parser->Calc(name);
      } catch (...) {
        runContext.EvaluatingName = saved;
        throw;
      }
      runContext.EvaluatingName = saved;
    } else if (!runContext.AggregatePass) {
      throw ErpParserError(QStringLiteral("Nedefinovaný symbol \"%1\"").arg(name));
    }
  }
}

void TrpReport::GetInternalValue(TrpRunContext& runContext, const QString& name, QVariant& value) {
  TrpGlobals& g = rpGlobals();
  const TrpRunState* run = runContext.Run;
  if (name == QLatin1String("CURY")) {
    value = rpIntegerValue(run ? run->CurY() : 0);
  } else if (name == QLatin1String("FREESPACE")) {
    value = rpIntegerValue(run ? run->BottomLimit() - run->CurY() : 0);
  } else if (name == QLatin1String("FINALPASS")) {
    value = run && run->FinalPass();
  } else if (name == QLatin1String("PAGEHEIGHT")) {
    value = rpIntegerValue(run ? run->BottomLimit() : 0);
  } else if (name == QLatin1String("PAGEWIDTH")) {
    value = rpIntegerValue(runContext.CurrentPage ? runContext.CurrentPage->PrintableRight() : 0);
  } else {
    TrpObject* object = nullptr;
    QString property;
    if (name.contains(QLatin1Char('.'))) {
      rpGetObjectAndProperty(runContext, name, object, property);
      if (object && object->FindPropertyRec(property)) {
        value = object->ReadProperty(property.toUpper());
        return;
      }
    }
    if (g.Consts.IndexOf(name) >= 0) value = g.Consts.GetVariable(name);
  }
}

void TrpReport::GetFormattedValue(TrpRunContext& g, const QString& expression, QString& text) {
  qint32 code = g.CurrentObject ? g.CurrentObject->DisplayFormatCode : 0;
  QString format = g.CurrentObject ? g.CurrentObject->DisplayFormatText : QString();
  QString source = expression;
  const qsizetype mark = expression.indexOf(QLatin1String(" #"));
  if (mark >= 0) {
    source = expression.left(mark);
    rpParseFormatSuffix(expression.mid(mark + 2), code, format);
  }
  g.CurrentValue = rpIntegerValue(0);
  QVariant value;
  ResolveName(g, source, value);
  g.CurrentValue = value;
  const auto* memo = dynamic_cast<const TrpMemoView*>(g.CurrentObject);
  if (memo && (memo->Flags & mfHideZeros) && !rpIsNull(value) && rpValueKind(value) != TrpValueKind::Text) {
    try {
      if (rpValueToFloat(value) == 0) value = QString();
    } catch (const ErpConversionError&) {
    }
  }
  if (!g.AggregatePass) text = rpFormatByDisplayFormat(value, code, format);
}

void TrpReport::CallReportFunction(TrpRunContext& run, const QString& name, const QString& p1, const QString& p2,
                                   const QString& p3, QVariant& val) {
  val = QStringLiteral("0");
  for (const auto& library : rpGlobals().FunctionLibraries.Libraries())
    if (library->HandleFunction(run, name, p1, p2, p3, val)) return;
  RunBuiltinProcedure(run, name, p1, p2, p3, val);
  if (OnUserFunction) OnUserFunction(name, p1, p2, p3, val);
}

void TrpReport::RunBuiltinProcedure(TrpRunContext& g, const QString& name, const QString& p1, const QString& p2,
                                    const QString& p3, QVariant& val) {
  TrpRunState* run = g.Run;
  if (name == QLatin1String("STOPREPORT")) {
    if (run) run->Terminate();
  } else if (name == QLatin1String("NEWPAGE")) {
    if (run) run->RequestNewPage();
  } else if (name == QLatin1String("NEWCOLUMN")) {
    if (run) run->RequestNewColumn();
  } else if (name == QLatin1String("SHOWBAND")) {
    if (run) run->ShowBand(p1);
  } else if (name == QLatin1String("INC") || name == QLatin1String("DEC")) {
    QVariant value;
    if (g.Parser->OnGetValue) g.Parser->OnGetValue(p1, value);
    g.Interpreter->SetValue(p1, name == QLatin1String("INC") ? rpAdd(value, rpIntegerValue(1))
                                                             : rpSubtract(value, rpIntegerValue(1)));
  } else if (name == QLatin1String("SETARRAY") || name == QLatin1String("GETARRAY")) {
    ArrayProcedure(g, name == QLatin1String("SETARRAY"), p1, p2, p3, val);
  } else if (name.contains(QLatin1Char('.'))) {
    TrpObject* object = nullptr;
    QString method;
    rpGetObjectAndProperty(g, name, object, method);
    if (object) val = object->CallMethod(g, method.toUpper(), p1, p2, p3);
  }
}

void TrpReport::ArrayProcedure(TrpRunContext& run, bool set, const QString& array, const QString& index,
                               const QString& value, QVariant& val) {
  TrpGlobals& g = rpGlobals();
  const QVariant indexValue = run.Parser->Calc(index);
  if (array.contains(QLatin1Char('.'))) {
    TrpObject* object = nullptr;
    QString property;
    rpGetObjectAndProperty(run, array, object, property);
    if (!object) return;
    const QVariant item = set ? run.Parser->Calc(value) : QVariant();
    val = object->CallMethod(run, set ? QStringLiteral("SETINDEXPROPERTY") : QStringLiteral("GETINDEXPROPERTY"),
                             property.toUpper(), indexValue, item);
    return;
  }
  const QString indexText = rpValueKind(indexValue) == TrpValueKind::Text
                                ? indexValue.toString()
                                : QString::number(rpValueToInteger(indexValue));
  const QString element = QStringLiteral("Arr_") + array + QLatin1Char('_') + indexText;
  if (set)
    g.Variables.SetVariable(element, run.Parser->Calc(value));
  else
    val = g.Variables.GetVariable(element);
}

void TrpReport::FireBeforePrint(QStringList& lines, TrpView* object) {
  // An object bound to a blob field shows the field's content (a memo's text, a picture).
  if (object && object->BoundDataSet && !object->BoundFieldName.isEmpty()) {
    TDataSet* dataSet = object->BoundDataSet;
    if (TField* field = dataSet->FindField(object->BoundFieldName); field && rpIsBlob(field))
      object->LoadFromBlobField(field);
  }
  if (OnBeforePrint) OnBeforePrint(lines, object);
}

void rpGetObjectAndProperty(const TrpRunContext& g, const QString& name, TrpObject*& object, QString& property) {
  object = g.CurrentObject;
  property = name;
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) {
    const QString prefix = name.left(dot);
    property = name.mid(dot + 1, 255);
    const QString upper = prefix.toUpper();
    auto* report = dynamic_cast<TrpReport*>(g.CurrentReport);
    if (upper.startsWith(QLatin1String("PAGE")) && upper.size() > 4 && upper.at(4).isDigit()) {
      const int number = upper.mid(4).toInt();
      object = report && number >= 1 && number <= report->Pages.Count() ? report->Pages.GetPage(number - 1) : nullptr;
    } else {
      object = report ? report->FindObject(prefix) : nullptr;
      if (!object && g.CurrentObject) {
        rpEnsurePropertyList(static_cast<TrpObject*>(g.CurrentObject));
        if (static_cast<TrpObject*>(g.CurrentObject)->FindPropertyRec(prefix)) {
          object = g.CurrentObject;
          property = name;
        }
      }
    }
  }
  rpEnsurePropertyList(object);
}

// --- the report's interpreter

void TInterpretator::GetValue(const QString& name, QVariant& value) {
  TrpParser& parser = *run_.Parser;
  if (parser.OnGetValue) parser.OnGetValue(name, value);
}

void TInterpretator::DoFunction(const QString& name, const QString& p1, const QString& p2, const QString& p3,
                                QVariant& val) {
  TrpParser& parser = *run_.Parser;
  if (parser.OnFunction) parser.OnFunction(name, p1, p2, p3, val);
}

void TInterpretator::SetValue(const QString& name, const QVariant& value) {
  TrpGlobals& g = rpGlobals();
  TrpRunContext& run = run_;
  auto* report = dynamic_cast<TrpReport*>(run.CurrentReport);
  const QString upper = name.toUpper();
  if (g.Variables.IndexOf(name) >= 0) {
    g.Variables.SetVariable(name, value);
  } else if (report && report->Dictionary.Variables.IndexOf(name) >= 0) {
    report->Dictionary.Variables.SetVariable(name, value);
  } else if (upper == QLatin1String("MODALRESULT")) {
    if (run.Run) run.Run->SetModalResult(int(rpValueToInteger(value)));
  } else if (upper == QLatin1String("CURY")) {
    if (run.Run) run.Run->SetCurY(int(rpValueToInteger(value)));
  } else if (upper == QLatin1String("PROGRESS")) {
    if (run.Run) run.Run->Progress(rpValueToText(value));
  } else {
    TrpObject* object = nullptr;
    QString property;
    rpGetObjectAndProperty(run, name, object, property);
    if (object && object->FindPropertyRec(property))
      object->WriteProperty(property.toUpper(), value);
    else
      g.Variables.SetVariable(name, value);
  }
}

// --- building prepared pages

int TrpReport::CurrentBandType() const { return running_ && running_->currentBand ? running_->currentBand->kind : -1; }

TrpDataset* TrpReport::PageDataBandDataSet(int dataBandType) const {
  if (!running_ || dataBandType < 0 || dataBandType >= btKindCount) return nullptr;
  const TrpBand* band = running_->Band(dataBandType); // a dialog page has no bands
  return band ? band->dataSource : nullptr;
}

bool TrpReport::BuildPreparedPages() {
  const TrpRunScope scope(runContext_);
  TrpGlobals& g = rpGlobals();
  TrpRunContext& runContext = runContext_;
  runContext.EngineMode = true;
  runContext.RunDate = int(Now());
  runContext.RunTime = Now() - int(Now());
  for (TrpReport* report : TemplateReports())
    report->Pages.PrepareAlignedObjects(runContext);
  runContext.CurrentPage = nullptr;
  runContext.CurrentBand = nullptr;
  runContext.RunReport = this;
  runContext.CurrentReport = this;
  runContext.LoadErrorFlag = false;
  runContext.LoadErrorText.clear();
  runContext.BuildAborted = false;
  BindParser(runContext);
  // Whatever scripts change in the templates during the run is forgotten afterwards.
  const QList<TrpReport*> templates = TemplateReports();
  QList<QByteArray> saved;
  QList<TrpReportInfo> keptInfo;
  for (TrpReport* report : templates) {
    keptInfo.append(report->Info);
    saved.append(report->SaveToStream());
    if (report != this && report->OnBeginDoc) report->OnBeginDoc();
  }
  if (OnBeginDoc) OnBeginDoc();
  bool result = RunPreparePassesShown();
  if (OnEndDoc) OnEndDoc();
  const bool failed = runContext.LoadErrorFlag;
  const QString errorText = runContext.LoadErrorText;
  for (qsizetype i = 0; i < templates.size(); ++i) {
    TrpReport* report = templates[i];
    if (report != this && report->OnEndDoc) report->OnEndDoc();
    report->LoadFromStream(saved[i], false);
    report->Info = keptInfo[i];
  }
  runContext.CurrentReport = this;
  FinalPass = false;
  CanRebuild = true;
  if (runContext.BuildAborted) result = false;
  if (failed) {
    if (g.ErrorBox) g.ErrorBox(errorText, QStringLiteral("Chyba"));
    EMFPages.Clear();
    result = false;
  } else if (runContext.BuildAborted) {
    EMFPages.Clear();
  }
  runContext.SuppressDrawing = false;
  runContext.CurrentBand = nullptr;
  return result;
}

bool TrpReport::RunPreparePasses() {
  TrpRunContext& g = rpRun();
  Terminated = false;
  g.AppendPage = false;
  g.SuppressDrawing = false;
  FinalPass = true;
  g.PageNumber = 0;
  g.TotalPages = 0;
  EMFPages.Clear();
  try {
    if (DoublePassReport) {
      g.SuppressDrawing = true;
      FinalPass = false;
      BuildPages();
      g.TotalPages = EMFPages.Count();
      EMFPages.Clear();
      g.SuppressDrawing = false;
      FinalPass = true;
      g.PageNumber = 0;
      if (!Terminated) BuildPages();
    } else {
      BuildPages();
    }
  } catch (const Exception& error) {
    rpReportObjectError(g, error);
  }
  EndBuild();
  g.Run = nullptr;
  g.Aggregates = nullptr;
  if (Terminated) EMFPages.Clear();
  return !Terminated && EMFPages.Count() > 0;
}

TrpPageBuild* TrpReport::SubreportBuild(int pageIndex) const {
  if (pageIndex < 0 || pageIndex >= Pages.Count()) return nullptr;
  for (const auto& build : builds_)
    if (&build->page == Pages.GetPage(pageIndex)) return build.get();
  return nullptr;
}

void TrpReport::EndBuild() {
  running_ = nullptr;
  if (builds_.empty()) return;
  builds_.clear();
  rpRun().WatchList.clear(); // the watchers belong to the pages of the run
}

void TrpReport::CreateBuilds() {
  TrpRunContext& g = rpRun();
  auto* run = dynamic_cast<TrpReport*>(g.RunReport);
  TrpEMFPages& target = run ? run->EMFPages : EMFPages;
  builds_.clear();
  for (int i = 0; i < Pages.Count(); ++i)
    builds_.push_back(std::make_unique<TrpPageBuild>(*this, *Pages.GetPage(i), target, rpRun()));
  // Pages shown by subreport objects are never built on their own.
  for (const auto& build : builds_)
    for (int i = 0; i < build->page.Count(); ++i)
      if (auto* sub = dynamic_cast<TrpSubReportView*>(build->page.GetObject(i)))
        if (TrpPageBuild* shown = SubreportBuild(sub->SubPage)) shown->subreportPage = true;
}

void TrpReport::BuildPages() {
  TrpRunContext& g = rpRun();
  auto* run = dynamic_cast<TrpReport*>(g.RunReport);
  CanRebuild = true;
  g.EngineMode = true;
  g.CurrentReport = this;
  Dictionary.ClearCache();
  BindParser(g);
  const bool multiple = dataset_ && ReportType == rtMultiple;
  if (multiple) {
    dataset_->Init();
    dataset_->First();
  }
  // The final pass of a two-pass run reuses the bands, links and aggregates of the first.
  const bool rewind = run && run->DoublePassReport && run->FinalPass && !builds_.empty();
  if (!rewind) StartDialogPages();
  if (!g.BuildAborted) {
    StartReportPages(rewind);
    BuildReportPages(multiple);
  }
  running_ = nullptr;
  if (multiple) dataset_->Exit();
  // The first pass of a two-pass run keeps its builds for the final pass.
  if (!(run && run->DoublePassReport && !run->FinalPass)) EndBuild();
}

void TrpReport::StartDialogPages() {
  TrpRunContext& g = rpRun();
  g.WatchList.clear();
  g.BuildAborted = false;
  CreateBuilds();
  for (const auto& build : builds_)
    if (build->page.PageType == 1) {
      running_ = build.get();
      build->StartBuild();
      if (g.BuildAborted) return;
    }
}

void TrpReport::StartReportPages(bool rewind) {
  if (!rewind && OnBeforeBuild) {
    try {
      OnBeforeBuild();
    } catch (const Exception& error) {
      rpReportObjectError(rpRun(), error);
      Terminated = true;
    }
  }
  if (!rewind && OnBuildStart) OnBuildStart();
  for (const auto& build : builds_)
    if (build->page.PageType == 0) {
      running_ = build.get();
      rewind ? build->Rewind() : build->StartBuild();
    }
  if (rewind) return;
  for (const auto& build : builds_)
    if (build->page.PageType == 0) {
      running_ = build.get();
      build->PrepareBuild();
    }
}

void TrpReport::BuildReportPages(bool multiple) {
  TrpRunContext& g = rpRun();
  // A page continuing the previous report of a composite keeps the place where that one ended.
  if (!g.AppendPage) g.AppendPlace = {};
  QList<TrpPageBuild*> pages;
  for (const auto& build : builds_)
    if (build->page.PageType == 0 && !build->subreportPage) pages.append(build.get());
  do {
    ReportProgress(g.PageNumber + 1);
    for (qsizetype i = 0; i < pages.size() && !Terminated; ++i) {
      TrpPageBuild* build = pages[i];
      running_ = build;
      g.CurrentPage = &build->page;
      // An invisible page's script may switch it on.
      if (!build->page.Visible) build->RunPageScript();
      if (build->page.Visible) build->BuildPage();
      g.AppendPage = false;
      const bool nextOnSamePage = (i + 1 < pages.size() && pages[i + 1]->page.PrintToPrevPage) ||
                                  (i + 1 == pages.size() && g.AppendNextReport && (!multiple || dataset_->Eof()));
      if (nextOnSamePage) {
        g.PageNumber -= 1;
        g.AppendPage = true;
      } else {
        g.PageNumber = build->prepared.Count();
        ReportProgress(g.PageNumber);
      }
    }
    ReportProgress(g.PageNumber);
    if (multiple) dataset_->Next();
  } while (!Terminated && multiple && !dataset_->Eof());
}

void TrpReport::SavePreparedFile(const QString& fileName) {
  TBinaryWriter stream;
  EMFPages.SaveToStream(stream);
  WriteFile(fileName, stream.Data());
}

void TrpReport::LoadPreparedFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Súbor %1 sa nedá otvoriť.").arg(fileName));
  const QByteArray data = file.readAll();
  ClearReportInfo();
  TBinaryReader stream(data);
  EMFPages.LoadFromStream(stream);
  CanRebuild = false;
}
