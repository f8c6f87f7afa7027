#include "app/Application.h"
#include "app/AppContext.h"
#include "app/ExceptionHandler.h"
#include "app/fMain.h"
#include "db/IBDatabase.h"
#include "platform/base/TerminationSignals.h"
#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QTranslator>
#include <QtGui/QSessionManager>

namespace {

// Slovak for the texts of Qt's own dialogs that its Slovak translation
// leaves in English (every standard button, the file dialog's file types).
class TMissingQtTexts : public QTranslator {
public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char*, int) const override {
    static const struct {
      const char *context, *source, *slovak;
    } texts[] = {{"QPlatformTheme", "OK", "OK"},
                 {"QPlatformTheme", "Save", "Uložiť"},
                 {"QPlatformTheme", "Save All", "Uložiť všetko"},
                 {"QPlatformTheme", "Open", "Otvoriť"},
                 {"QPlatformTheme", "&Yes", "&Áno"},
                 {"QPlatformTheme", "Yes to &All", "Áno pre &všetky"},
                 {"QPlatformTheme", "&No", "&Nie"},
                 {"QPlatformTheme", "N&o to All", "Nie pre vš&etky"},
                 {"QPlatformTheme", "Abort", "Prerušiť"},
                 {"QPlatformTheme", "Retry", "Znova"},
                 {"QPlatformTheme", "Ignore", "Ignorovať"},
                 {"QPlatformTheme", "Close", "Zavrieť"},
                 {"QPlatformTheme", "Cancel", "Storno"},
                 {"QPlatformTheme", "Discard", "Zahodiť"},
                 {"QPlatformTheme", "Don't Save", "Neuložiť"},
                 {"QPlatformTheme", "Close without Saving", "Zavrieť bez uloženia"},
                 {"QPlatformTheme", "Help", "Pomocník"},
                 {"QPlatformTheme", "Apply", "Použiť"},
                 {"QPlatformTheme", "Reset", "Obnoviť"},
                 {"QPlatformTheme", "Restore Defaults", "Obnoviť predvolené"},
                 {"QAbstractFileIconProvider", "Folder", "Priečinok"},
                 {"QAbstractFileIconProvider", "Drive", "Jednotka"},
                 {"QAbstractFileIconProvider", "File", "Súbor"}};
    for (const auto& text : texts)
      if (qstrcmp(context, text.context) == 0 && qstrcmp(sourceText, text.source) == 0)
        return QString::fromUtf8(text.slovak);
    return QString();
  }
};

} // namespace

QList<QTranslator*> InstallSlovakQtTexts(QObject* owner) {
  QList<QTranslator*> installed;
  // Qt's own dialogs (the save dialog of the exports) speak Slovak too.
  auto* translator = new QTranslator(owner);
  if (translator->load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
    installed << translator;
  }
  // Asked before Qt's own: the texts its Slovak translation lacks.
  auto* missing = new TMissingQtTexts(owner);
  QCoreApplication::installTranslator(missing);
  installed << missing;
  return installed;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

int RunVimek(QApplication& application) {
  SetApplicationTitle(QStringLiteral("Palendrix - Tarnavo"));
  // Dates, month names and decimal commas are Slovak whatever the machine's
  // own locale is: the program, its users and its reports are Slovak.
  QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
  InstallSlovakQtTexts(&application);
  // The main window ends the program when it closes; hiding it while a
  // register is open must not.
  application.setQuitOnLastWindowClosed(false);
  // Log-off or shutdown: agree and end.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &application,
                   [](QSessionManager&) { RequestTermination(); });
  // A kill or a closed terminal ends the program as its own exit would.
  OnTerminationSignal([] { RequestTermination(); });
  // The database attaches while the window builds its pages.
  TfrmMain window(nullptr, TMainStart::Connecting);
  QObject::connect(&window, &TfrmMain::Closed, &application, &QCoreApplication::quit);
  RunGuarded([&] { window.FormCreate(); });
  // Refused by a start-up check: a normal end; no connection at all: a failure.
  if (TerminationRequested()) return window.IBD->Connected() ? 0 : 1;
  window.show();
  return QApplication::exec();
}
