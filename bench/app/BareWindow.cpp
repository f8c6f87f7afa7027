// The baseline of the start-up benchmark: the smallest Qt Widgets program a
// user would call a window, one button in a main window.
#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QPushButton>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare Qt window"));
  window.setCentralWidget(new QPushButton(QStringLiteral("Button")));
  window.show();
  return QApplication::exec();
}
