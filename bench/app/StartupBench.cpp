// Times the program from its launch to its main window on the screen, on an
// existing database of the supported version, beside a bare Qt window with
// one button started the same way under the same display. A window counts as
// shown when the X server maps it (the root window's map event: both programs
// have then built their window and run its show handlers); the CPU time and
// peak memory are read from /proc at that moment, then the program is ended.
//   xvfb-run -a bench_app_startup [runs]
#include "app/fUpdate.h"
#include "db/IBDatabase.h"
#include "platform/MessageDialogs.h"
#include "schema/BaseScript.h"
#include "schema/UpgradePackage.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

constexpr qint64 kGiveUpMs = 30000;

struct TStartFigures {
  double WallMs = 0, CpuMs = 0, PeakMiB = 0;
};

// User plus system time and peak resident memory of a running process.
void ReadProcess(pid_t pid, TStartFigures& figures) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (stat.open(QIODevice::ReadOnly)) {
    const QByteArray text = stat.readAll();
    // The fields after the command name, which may hold blanks, start behind its ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = double(sysconf(_SC_CLK_TCK));
    if (fields.size() > 12) figures.CpuMs = (fields[11].toDouble() + fields[12].toDouble()) * 1000 / ticks;
  }
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (status.open(QIODevice::ReadOnly))
    for (const QByteArray& line : status.readAll().split('\n'))
      if (line.startsWith("VmHWM:")) figures.PeakMiB = line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
}

// The title of a window, empty when it has none.
QByteArray WindowTitle(xcb_connection_t* connection, xcb_window_t window) {
  xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  if (!reply) return {};
  const QByteArray title(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
  free(reply);
  return title;
}

// Starts the program and waits until a top-level window whose title begins
// with `title` is mapped; then ends the program.
bool TimeStart(const QByteArray& program, const QByteArray& title, TStartFigures& figures) {
  // A display just started may refuse the first connections for a moment.
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  for (int retry = 0; xcb_connection_has_error(connection) && retry < 50; ++retry) {
    xcb_disconnect(connection);
    QThread::msleep(100);
    connection = xcb_connect(nullptr, nullptr);
  }
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "no connection to the X display %s (error %d)\n", qgetenv("DISPLAY").constData(),
                 xcb_connection_has_error(connection));
    return false;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  QElapsedTimer timer;
  timer.start();
  pid_t pid = 0;
  char* arguments[] = {const_cast<char*>(program.constData()), nullptr};
  if (posix_spawn(&pid, program.constData(), nullptr, nullptr, arguments, environ) != 0) {
    std::fprintf(stderr, "%s could not be started\n", program.constData());
    return false;
  }
  bool shown = false;
  pollfd display{xcb_get_file_descriptor(connection), POLLIN, 0};
  while (!shown && timer.elapsed() < kGiveUpMs) {
    xcb_generic_event_t* event = xcb_poll_for_event(connection);
    if (!event) {
      if (xcb_connection_has_error(connection) || waitpid(pid, nullptr, WNOHANG) == pid) break;
      poll(&display, 1, 100);
      continue;
    }
    if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
      const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
      // Titles arrive before the map request; a window of another program is ignored.
      if (WindowTitle(connection, map->window).startsWith(title)) {
        figures.WallMs = double(timer.nsecsElapsed()) / 1e6;
        ReadProcess(pid, figures);
        shown = true;
      }
    }
    free(event);
  }
  if (!shown) std::fprintf(stderr, "%s showed no window\n", program.constData());
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  xcb_disconnect(connection);
  return shown;
}

TStartFigures Median(std::vector<TStartFigures> runs) {
  TStartFigures median;
  const auto pick = [&](double TStartFigures::*field) {
    std::sort(runs.begin(), runs.end(), [&](const auto& a, const auto& b) { return a.*field < b.*field; });
    median.*field = runs[runs.size() / 2].*field;
  };
  pick(&TStartFigures::WallMs);
  pick(&TStartFigures::CpuMs);
  pick(&TStartFigures::PeakMiB);
  return median;
}

// A program folder of its own: the program beside a database of the supported
// version, as an installed program that has already been upgraded.
bool PrepareProgramFolder(const QString& buildBin, const QString& folder) {
  for (const QString& name : {QStringLiteral("Vimek"), QStringLiteral("Vimek.rdbg")})
    if (!QFile::copy(buildBin + QLatin1Char('/') + name, folder + QLatin1Char('/') + name)) return false;
  QFile::setPermissions(folder + QStringLiteral("/Vimek"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QDir(folder).mkpath(QStringLiteral("Data"));
  const QString database = folder + QStringLiteral("/Data/Vimek.fdb");
  CreateDatabaseFromBaseScript(database);
  TIBDatabase connection;
  connection.SetDatabaseName(database);
  connection.Open();
  TfrmUpdate update(&connection, UpdatePackageZlib(), UpdatePackageScriptCount());
  update.btnGoClick();
  const bool current = update.ZistiVerziu() == UpdatePackageScriptCount();
  connection.Close();
  return current;
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::fprintf(stderr, "needs an X display: xvfb-run -a %s [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  QTemporaryDir folder;
  // The programs keep their settings and the engine its lock files in the run's folder.
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path() + QStringLiteral("/config")));
  qputenv("FIREBIRD_LOCK", QFile::encodeName(folder.path() + QStringLiteral("/lock")));
  const QString benchBin = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
  const QString buildBin = QDir(benchBin).absoluteFilePath(QStringLiteral("../../bin"));
  // Prepared in a child process: the embedded engine it loads must not stay
  // in the process that talks to the display.
  if (const pid_t child = fork(); child == 0) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TScriptedMessageDialogs dialogs; // no dialog may stop the preparation
    _exit(PrepareProgramFolder(buildBin, folder.path()) ? 0 : 1);
  } else {
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "the program folder could not be prepared from %s\n", qPrintable(buildBin));
      return 1;
    }
  }
  const QByteArray vimek = QFile::encodeName(folder.path() + QStringLiteral("/Vimek"));
  const QByteArray bare = QFile::encodeName(benchBin + QStringLiteral("/bench_app_bare_window"));
  const QByteArray vimekTitle = "Vimek - evidencia";
  TStartFigures warm;
  // The first start of each warms the file cache; it is not counted.
  if (!TimeStart(vimek, vimekTitle, warm) || !TimeStart(bare, "Bare Qt window", warm)) {
    std::fprintf(stderr, "a program did not show its window\n");
    return 1;
  }
  std::vector<TStartFigures> ours, baseline;
  for (int i = 0; i < runs; ++i) {
    TStartFigures figures;
    if (TimeStart(vimek, vimekTitle, figures)) ours.push_back(figures);
    if (TimeStart(bare, "Bare Qt window", figures)) baseline.push_back(figures);
  }
  if (ours.empty() || baseline.empty()) return 1;
  const TStartFigures a = Median(ours), b = Median(baseline);
  std::printf("start-up to the main window shown, median of %d runs, %ld cores\n", runs, sysconf(_SC_NPROCESSORS_ONLN));
  std::printf("%-34s %10s %10s %10s\n", "", "wall ms", "cpu ms", "peak MiB");
  std::printf("%-34s %10.0f %10.0f %10.1f\n", "Vimek (current database)", a.WallMs, a.CpuMs, a.PeakMiB);
  std::printf("%-34s %10.0f %10.0f %10.1f\n", "bare Qt window, one button", b.WallMs, b.CpuMs, b.PeakMiB);
  std::printf("%-34s %10.2f %10.2f %10.2f\n", "ratio", a.WallMs / b.WallMs, a.CpuMs / b.CpuMs, a.PeakMiB / b.PeakMiB);
  return 0;
}
