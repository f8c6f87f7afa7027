#include "reports/designer/rpInspProps.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/engine/rpView.h"
#include <QtCore/QLocale>
#include <QtCore/QScopeGuard>
#include <cmath>

namespace {

qint64 WholeNumber(const QString& text) {
  bool ok = false;
  const qint64 value = text.trimmed().toLongLong(&ok);
  if (!ok) throw ErpConversionError(QStringLiteral("'%1' nie je platné celé číslo.").arg(text));
  return value;
}

QString ColourName(qint64 value) {
  for (const TrpNamedColor& entry : rpColorTable())
    if (entry.Color == qint32(value)) return QString::fromLatin1(entry.Name);
  return QStringLiteral("$") +
         QStringLiteral("%1").arg(quint32(value) & 0xFFFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

// A row without a type (font size and colour, alignment ...) gives what its
// text reads as: a whole number, a decimal number, or the text itself.
QVariant UntypedValue(const QString& text) {
  bool ok = false;
  const qint64 whole = text.trimmed().toLongLong(&ok);
  if (ok) return whole;
  const double number = QLocale().toDouble(text.trimmed(), &ok);
  if (ok) return number;
  const double plain = QLocale::c().toDouble(text.trimmed(), &ok);
  if (ok) return plain;
  return text;
}

} // namespace

QString rpInspDisplayText(const QVariant& value, quint16 type, const QStringList& valueNames,
                          const QVariantList& valueArray) {
  const QString text = rpValueToText(value);
  if (text.isEmpty()) return text;
  if (type & ptFloat) {
    // Fixed notation with two decimals; beyond four integer digits the exponent form.
    const double number = rpStrToFloat(text);
    const QLocale locale;
    return std::abs(number) >= 10000 ? locale.toString(number, 'E', 3) : locale.toString(number, 'f', 2);
  }
  if (type & ptBoolean) {
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return QStringLiteral("True");
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return QStringLiteral("False");
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    return ok && number != 0 ? QStringLiteral("True") : QStringLiteral("False");
  }
  if (type & ptColor) {
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    return ok ? ColourName(number) : text;
  }
  if ((type & ptEnum) && !valueArray.isEmpty()) {
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    QString shown = text;
    for (int i = 0; ok && i < valueArray.size() && i < valueNames.size(); ++i)
      if (valueArray.at(i).toLongLong() == number) shown = valueNames.at(i);
    return shown;
  }
  return text;
}

TProp::TProp(QString name, const QVariant& value, quint16 type, QStringList valueNames, QVariantList valueArray,
             std::function<void()> editor)
    : Name(std::move(name)), Type(type), ValueNames(std::move(valueNames)), ValueArray(std::move(valueArray)),
      Editor(std::move(editor)) {
  SetValue(value);
}

void TProp::SetValue(const QVariant& value) { Text = rpInspDisplayText(value, Type, ValueNames, ValueArray); }

QVariant TProp::Value() const {
  if ((Type & ptText) || ((Type & ptEnum) && ValueArray.isEmpty())) return Text;
  if (Type & ptInteger) return WholeNumber(Text);
  if (Type & ptFloat) return rpStrToFloat(Text);
  if (Type & ptBoolean) {
    if (Text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) return true;
    if (Text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) return false;
    return !Text.isEmpty() && Text != QLatin1String("0");
  }
  if (Type & ptColor) {
    for (const TrpNamedColor& entry : rpColorTable())
      if (Text.compare(QString::fromLatin1(entry.Name), Qt::CaseInsensitive) == 0) return qint64(entry.Color);
    if (Text.startsWith(QLatin1Char('$'))) {
      bool ok = false;
      const qint64 value = qint64(qint32(Text.mid(1).toUInt(&ok, 16)));
      if (!ok) throw ErpConversionError(QStringLiteral("'%1' nie je platná farba.").arg(Text));
      return value;
    }
    return WholeNumber(Text);
  }
  if (Type & ptEnum) {
    const int position = int(ValueNames.indexOf(Text));
    if (position >= 0 && position < ValueArray.size()) return ValueArray.at(position);
    return WholeNumber(Text);
  }
  return UntypedValue(Text);
}

bool TProp::StepValue() {
  if (Type & ptBoolean) {
    SetValue(Text == QLatin1String("True") ? QStringLiteral("False") : QStringLiteral("True"));
    return true;
  }
  if (!(Type & ptEnum)) return false;
  if (ValueArray.isEmpty()) {
    if (ValueNames.isEmpty()) return false;
    const int next = int(ValueNames.indexOf(Text)) + 1;
    Text = ValueNames.at(next >= ValueNames.size() ? 0 : next);
    return true;
  }
  const int position = int(ValueNames.indexOf(Text));
  const int next = position < 0 || position + 1 >= ValueArray.size() ? 0 : position + 1;
  SetValue(ValueArray.at(next));
  return true;
}

QStringList TProp::ValueList() const {
  if (Type & ptBoolean) return {QStringLiteral("False"), QStringLiteral("True")};
  if (Type & ptColor) {
    QStringList names;
    for (const TrpNamedColor& entry : rpColorTable())
      names << QString::fromLatin1(entry.Name);
    return names;
  }
  if (Type & ptEnum) return ValueNames;
  return {};
}

QSize rpInspValueListSize(const QStringList& items, int itemHeight,
                          const std::function<int(const QString&)>& textWidth) {
  int widest = 0;
  for (const QString& item : items)
    widest = qMax(widest, textWidth(item));
  const int width = widest + 8 + (items.size() > 8 ? 16 : 0);
  const int rows = int(qMin<qsizetype>(items.size(), 8));
  return {width, (itemHeight + 1) * rows + 2};
}

int TrpInspProps::IndexOf(const QString& name) const {
  for (int i = 0; i < rows_.size(); ++i)
    if (rows_[i].Name == name) return i;
  return -1;
}

void TrpInspProps::SetItemIndex(int index) {
  if (inModify_) return;
  if (rows_.isEmpty()) {
    itemIndex_ = -1;
    return;
  }
  itemIndex_ = qBound(0, index, int(rows_.size()) - 1);
  lastName_ = rows_[itemIndex_].Name;
}

void TrpInspProps::SelectRememberedRow() {
  itemIndex_ = -1;
  const int remembered = IndexOf(lastName_);
  SetItemIndex(remembered < 0 ? 0 : remembered);
}

void TrpInspProps::ApplyEditText(const QString& text) {
  if (itemIndex_ < 0) return;
  TProp& row = rows_[itemIndex_];
  if (!(text.isEmpty() && row.Name == QLatin1String("Name"))) row.Text = text;
  const int index = itemIndex_;
  inModify_ = true;
  const auto done = qScopeGuard([&] {
    inModify_ = false;
    SetItemIndex(index < rows_.size() ? index : 0);
  });
  if (OnPropertyModified) OnPropertyModified(index);
}
