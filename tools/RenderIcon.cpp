// Renders the program's SVG icon to a square PNG at build time, so the
// installed theme has bitmap sizes beside the scalable one.
// Usage: kolmira_render_icon IN.svg OUT.png SIZE
// Fails on an SVG that Qt cannot read or that paints nothing.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s IN.svg OUT.png SIZE\n", argv[0]);
    return 2;
  }
  const int size = std::atoi(argv[3]);
  if (size < 16 || size > 1024) {
    std::fprintf(stderr, "size %s: expected 16 to 1024 pixels\n", argv[3]);
    return 2;
  }
  QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
  if (!renderer.isValid()) {
    std::fprintf(stderr, "%s: not a valid SVG\n", argv[1]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
  }
  int painted = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) painted += qAlpha(image.pixel(x, y)) > 0;
  }
  if (painted < size * size / 10) {
    std::fprintf(stderr, "%s: only %d of %d pixels painted\n", argv[1], painted, size * size);
    return 1;
  }
  if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "%s: cannot write\n", argv[2]);
    return 1;
  }
  return 0;
}
