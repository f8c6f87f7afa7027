#include <QtWidgets/QApplication>
#ifdef VIMEK_HAS_APP
#include "app/Application.h"
#else
#include "core/ui/Form.h"
#endif

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
#ifdef VIMEK_HAS_APP
  return RunVimek(application);
#else
  TForm window;
  window.SetCaption(QStringLiteral("Vimek"));
  window.resize(800, 600);
  window.show();
  return application.exec();
#endif
}
