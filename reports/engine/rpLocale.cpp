#include "reports/engine/rpLocale.h"
#include <QtCore/QFile>
#include <memory>

static void InitEngineResources() { Q_INIT_RESOURCE(rpStrings); }

namespace {

constexpr int kMaxStringLength = 1023;

std::optional<QHash<int, QString>> ReadTable(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QHash<int, QString> table;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    bool ok = false;
    const int id = line.left(tab).toInt(&ok);
    if (tab > 0 && ok) table.insert(id, line.mid(tab + 1).remove(QLatin1Char('\r')));
  }
  return table;
}

std::unique_ptr<TrpLocale>& LocaleInstance() {
  static std::unique_ptr<TrpLocale> locale;
  return locale;
}

} // namespace

TrpLocale::TrpLocale() {
  InitEngineResources();
  program_ = ReadTable(QStringLiteral(":/reports/engine/rpStrings.txt")).value_or(QHash<int, QString>());
}

QString TrpLocale::LoadString(int id) const {
  if (OnLocalize) {
    const QString text = OnLocalize(id);
    if (!text.isEmpty()) return text;
  }
  const QHash<int, QString>& table = library_ ? *library_ : program_;
  return table.value(id).left(kMaxStringLength);
}

QImage TrpLocale::LoadBitmapResource(const QString& name) const {
  return QImage(QStringLiteral(":/reports/engine/bitmaps/") + name + QStringLiteral(".png"));
}

bool TrpLocale::LoadResourceLibrary(const QString& fileName) {
  library_ = ReadTable(fileName);
  return library_.has_value();
}

TrpLocale& rpGetLocale() {
  auto& locale = LocaleInstance();
  if (!locale) locale = std::make_unique<TrpLocale>();
  return *locale;
}

void rpFreeLocale() { LocaleInstance().reset(); }
