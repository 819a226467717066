// Writes a PNG of one X11 window: grab_window <window id> <file.png>.
// Used by `make screenshots` and the end-to-end tests under Xvfb.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: grab_window <window id> <file.png>\n");
    return 2;
  }
  bool ok = false;
  const WId id = QString::fromLatin1(argv[1]).toULongLong(&ok, 0);
  if (!ok) return 2;
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(id);
  return !shot.isNull() && shot.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
