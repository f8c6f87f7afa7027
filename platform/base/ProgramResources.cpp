#include "platform/base/ProgramResources.h"
#include <QtCore/QFile>

// The resource initialiser must be referenced from code, or the linker drops
// it from a static library; it must be called from the global namespace.
static void InitProgramResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(ProgramResources);
    return true;
  }();
  Q_UNUSED(done);
}

namespace ProgramResources {

QString Text(const QString& name) {
  InitProgramResources();
  if (name.isEmpty() || name.contains(QLatin1Char('/'))) return {};
  QFile file(QStringLiteral(":/vimek/messages/") + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  // The files keep plain LF line breaks so that no editor or checkout
  // setting can change them; the program's texts use CR LF.
  QString text = QString::fromUtf8(file.readAll());
  text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return text;
}

QString NumberedMessageText(int number) { return Text(QStringLiteral("ERR") + QString::number(number)); }

QString DatabaseErrorText(qint64 errorCode) { return Text(QStringLiteral("IBERR") + QString::number(errorCode)); }

} // namespace ProgramResources
