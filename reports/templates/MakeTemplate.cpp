// vimek-maketemplate <description.json> <template.rpf>: writes the report
// template a description names, with the report engine's own writer.
#include "reports/engine/rpGlobals.h"
#include "reports/templates/TemplateDescription.h"
#include <QtGui/QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
  // Fonts and the paper table need a GUI application; none is shown.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: vimek-maketemplate <description.json> <template.rpf>\n");
    return 2;
  }
  rpEngineStart();
  try {
    rpMakeTemplateFile(args[1], args[2]);
  } catch (const Exception& error) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(args[1]), qPrintable(error.Message()));
    return 1;
  }
  rpEngineEnd();
  return 0;
}
