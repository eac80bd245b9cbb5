// orbisk-make-icons: cuts a square out of a picture orbisk-render drew and writes it at every
// icon size of the hicolor theme. scripts/make-artwork.sh runs it; the results are committed.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

int fail(const QString& message) {
  std::fprintf(stderr, "orbisk-make-icons: %s\n", qPrintable(message));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: orbisk-make-icons PICTURE X Y SIDE NAME HICOLOR_DIR\n");
    return 2;
  }
  const QImage picture(QString::fromLocal8Bit(argv[1]));
  if (picture.isNull()) return fail(QStringLiteral("cannot read %1").arg(argv[1]));
  const QRect square(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                     std::atoi(argv[4]));
  if (square.isEmpty() || !picture.rect().contains(square))
    return fail(QStringLiteral("the square lies outside the picture"));

  const QImage cut = picture.copy(square).convertToFormat(QImage::Format_RGB32);
  for (const int size : kSizes) {
    const QString dir =
        QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[6])).arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(dir, QString::fromLocal8Bit(argv[5]));
    // Smooth scaling averages the pixels a small icon's pixel covers instead of picking one.
    const QImage icon = cut.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!QDir().mkpath(dir) || !icon.save(file, "PNG")) return fail("cannot write " + file);
    std::printf("%s\n", qPrintable(file));
  }
  return 0;
}
