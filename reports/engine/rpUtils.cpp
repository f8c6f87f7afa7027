#include "reports/engine/rpUtils.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpDataset.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpRegistries.h"
#include "reports/engine/rpReportBase.h"
#include "reports/engine/rpValue.h"
#include <QtCore/QIODevice>

namespace {

struct TGlobalComponent {
  QObject* Component;
  TrpGlobalKind Kind;
};

QList<TGlobalComponent>& GlobalComponents() {
  static QList<TGlobalComponent> components;
  return components;
}

const char* const kFrameProperty = "rpFrame";
constexpr int kMaxNamePart = 255;

QObject* ChildNamed(const QObject* owner, const QString& name) {
  for (QObject* child : owner->children())
    if (child->objectName().compare(name, Qt::CaseInsensitive) == 0) return child;
  return nullptr;
}

// The program's data set behind a component: itself, or the one a report data
// set wraps.
TDataSet* ProgramDataSet(QObject* component) {
  if (auto* dataSet = qobject_cast<TDataSet*>(component)) return dataSet;
  if (auto* walker = qobject_cast<TrpDataset*>(component)) return walker->WrappedDataSet();
  return nullptr;
}

// Splits a field reference at "."; a part that begins with a double quote
// takes the rest of the reference.
QStringList ReferenceParts(const QString& reference) {
  QStringList parts;
  qsizetype start = 0;
  while (start <= reference.size()) {
    const qsizetype dot = reference.indexOf(QLatin1Char('.'), start);
    if (reference.mid(start, 1) == QLatin1String("\"") || dot < 0) {
      parts.append(reference.mid(start));
      break;
    }
    parts.append(reference.mid(start, dot - start));
    start = dot + 1;
  }
  return parts;
}

} // namespace

void rpAddGlobalComponent(QObject* component, TrpGlobalKind kind) {
  rpRemoveGlobalComponent(component);
  GlobalComponents().append({component, kind});
}

void rpRemoveGlobalComponent(QObject* component) {
  GlobalComponents().removeIf([component](const TGlobalComponent& g) { return g.Component == component; });
}

QObject* rpFindGlobalComponent(const QString& name) {
  for (const TGlobalComponent& g : GlobalComponents())
    if (g.Component->objectName().compare(name, Qt::CaseInsensitive) == 0) return g.Component;
  return nullptr;
}

void rpMarkAsFrame(QObject* component) { component->setProperty(kFrameProperty, true); }
bool rpIsFrame(const QObject* component) { return component->property(kFrameProperty).toBool(); }

QObject* rpFindComponent(const QObject* owner, const QString& name) {
  const QStringList parts = name.split(QLatin1Char('.'));
  if (parts.size() == 1) {
    if (!owner) throw ErpClassNotFound(QStringLiteral("Missing ") + name);
    return ChildNamed(owner, name);
  }
  QObject* found = rpFindGlobalComponent(parts[0]);
  for (qsizetype i = 1; found && i < parts.size() && i < 3; ++i)
    found = ChildNamed(found, parts[i].left(kMaxNamePart));
  return parts.size() <= 3 ? found : nullptr;
}

QObject* rpFindDataSet(const TrpReportBase* report, const QString& name) {
  return rpFindComponent(report ? report->Owner() : nullptr, name);
}

void rpGetComponents(const QObject* owner, const QMetaObject& componentClass, QList<TrpComponentEntry>& list,
                     const QObject* skip) {
  list.clear();
  auto add = [&](QObject* component, const QString& qualifiedName) {
    if (component != skip && componentClass.cast(component))
      list.append({component->parent() == owner ? component->objectName() : qualifiedName, component});
  };
  for (TrpGlobalKind kind : {TrpGlobalKind::Form, TrpGlobalKind::DataModule}) {
    for (const TGlobalComponent& g : GlobalComponents()) {
      if (g.Kind != kind) continue;
      const QString form = g.Component->objectName();
      if (kind == TrpGlobalKind::Form)
        for (QObject* frame : g.Component->children())
          if (rpIsFrame(frame))
            for (QObject* c : frame->children())
              add(c, form + QLatin1Char('.') + frame->objectName() + QLatin1Char('.') + c->objectName());
      for (QObject* c : g.Component->children())
        add(c, form + QLatin1Char('.') + c->objectName());
    }
  }
}

QString rpCheckFieldName(const TDataSet* dataSet, const QString& name) {
  if (!dataSet) return QString();
  QStringList names;
  rpGetFieldNames(dataSet, names);
  return names.contains(name, Qt::CaseInsensitive) ? name : QString();
}

void rpGetDataSetAndField(const TrpReportBase* report, const QString& reference, TDataSet*& dataSet,
                          QString& fieldName) {
  const QStringList parts = ReferenceParts(reference);
  QObject* container = nullptr;
  switch (parts.size()) {
  case 1:
    break;
  case 2:
    dataSet = ProgramDataSet(rpFindComponent(report ? report->Owner() : nullptr, parts[0]));
    break;
  case 3:
    container = rpFindGlobalComponent(parts[0]);
    dataSet = container ? ProgramDataSet(ChildNamed(container, parts[1])) : nullptr;
    break;
  case 4:
    container = rpFindGlobalComponent(parts[0]);
    container = container ? ChildNamed(container, parts[1]) : nullptr;
    dataSet = container ? ProgramDataSet(ChildNamed(container, parts[2])) : nullptr;
    break;
  default:
    dataSet = nullptr;
  }
  fieldName = rpCheckFieldName(dataSet, rpRemoveQuotes(parts.back()));
}

QVariant rpGetFieldValue(TField* field) {
  TDataSet* dataSet = field->DataSet();
  if (!dataSet->Active()) dataSet->Open();
  if (field->DataType() == TFieldType::LargeInt) return field->AsString();
  if (!field->IsNull()) return field->AsVariant();
  switch (field->DataType()) {
  case TFieldType::String:
  case TFieldType::Memo:
    return QString();
  case TFieldType::Boolean:
    return false;
  default:
    return rpIntegerValue(0);
  }
}

bool rpIsFieldNull(const TrpReportBase* report, const QString& reference) {
  TDataSet* dataSet = report && report->UseDefaultDataSetName() ? rpGetDefaultDataSet(report) : nullptr;
  QString field;
  rpGetDataSetAndField(report, reference, dataSet, field);
  if (!dataSet || field.isEmpty()) return true;
  const TField* f = dataSet->FindField(field);
  return !f || f->IsNull();
}

QString rpGetWindowsVersion() { return QStringLiteral("NT"); }

double rpStrToFloat(const QString& text) {
  QString normal = text.trimmed();
  normal.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double value = normal.toDouble(&ok);
  if (!ok) throw ErpConversionError(QStringLiteral("'%1' nie je platné číslo.").arg(text));
  return value;
}

QString rpRemoveQuotes(const QString& text) {
  if (text.size() > 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
    return text.mid(1, text.size() - 2);
  return text;
}

void rpSplitBySemicolon(const QString& text, QStringList& list) {
  list = text.split(QLatin1Char(';'));
  if (text.isEmpty() || text.endsWith(QLatin1Char(';'))) list.removeLast();
}

QString rpLoadStr(int id) { return rpGetLocale().LoadString(id); }

QString rpStrToXML(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (QStringLiteral("\n\r\"&<>").contains(c))
      out += QStringLiteral("&#%1;").arg(c.unicode());
    else
      out += c;
  }
  return out;
}

QString rpStreamToHex(QIODevice& stream) {
  stream.seek(0);
  return QString::fromLatin1(stream.readAll().toHex().toUpper());
}

QByteArray rpWideToUTF8(const QString& text) {
  QByteArray out;
  for (const QChar ch : text) {
    const char16_t c = ch.unicode();
    if (c < 0x80) {
      out.append(char(c));
    } else if (c < 0x800) {
      out.append(char(0xC0 | (c >> 6)));
      out.append(char(0x80 | (c & 0x3F)));
    } else {
      out.append(char(0xE0 | (c >> 12)));
      out.append(char(0x80 | ((c >> 6) & 0x3F)));
      out.append(char(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

QString rpColorToHTML(TColor color) {
  // Templates store system colours as $80000000 + index, the program as $FF000000 + index.
  const quint32 high = quint32(color) & 0xFF000000u;
  int r = ColorRed(color), g = ColorGreen(color), b = ColorBlue(color);
  if (high == 0x80000000u || high == 0xFF000000u) SystemColor(color & 0xFF).getRgb(&r, &g, &b);
  return QStringLiteral("#%1%2%3")
      .arg(r, 2, 16, QLatin1Char('0'))
      .arg(g, 2, 16, QLatin1Char('0'))
      .arg(b, 2, 16, QLatin1Char('0'))
      .toUpper();
}
