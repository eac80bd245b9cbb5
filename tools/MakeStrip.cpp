// orbisk-make-strip: lays pictures orbisk-render drew side by side, each scaled to one height,
// into one PNG for the README. scripts/make-artwork.sh runs it; the result is committed.
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kGap = 4;  // pixels of the page's own background between two pictures

int fail(const QString& message) {
  std::fprintf(stderr, "orbisk-make-strip: %s\n", qPrintable(message));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: orbisk-make-strip OUT.png HEIGHT PICTURE...\n");
    return 2;
  }
  const int height = std::atoi(argv[2]);
  if (height < 1 || height > 1000) return fail("the height must be 1 to 1000 pixels");
  std::vector<QImage> pictures;
  int width = -kGap;
  for (int i = 3; i < argc; ++i) {
    const QImage picture(QString::fromLocal8Bit(argv[i]));
    if (picture.isNull()) return fail(QStringLiteral("cannot read %1").arg(argv[i]));
    // Smooth scaling averages the pixels each small pixel covers instead of picking one.
    pictures.push_back(picture.convertToFormat(QImage::Format_RGB32)
                           .scaledToHeight(height, Qt::SmoothTransformation));
    width += pictures.back().width() + kGap;
  }
  QImage strip(width, height, QImage::Format_ARGB32);
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  int x = 0;
  for (const QImage& picture : pictures) {
    painter.drawImage(x, 0, picture);
    x += picture.width() + kGap;
  }
  painter.end();
  const QString out = QString::fromLocal8Bit(argv[1]);
  if (!strip.save(out, "PNG")) return fail("cannot write " + out);
  std::printf("%s\n", qPrintable(out));
  return 0;
}
