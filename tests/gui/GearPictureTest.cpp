// The measuring sketches: each of the six draws something, keeps it inside
// the 150 x 110 box scaled into the widget (so that nothing is cut off by a
// widget of another shape or on a high-density screen) and uses most of that
// box; and no two of them look alike.
#include <QImage>
#include <QTest>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "gui/GearPicture.h"

using kolmira::gui::GearPicture;

namespace {

constexpr std::array kMeasures{GearPicture::Measure::Thickness, GearPicture::Measure::Span,
                               GearPicture::Measure::Balls};

// The picture alone (no background) on a transparent image.
QImage Render(GearPicture::Measure measure, bool internal, QSize size, int ratio) {
  GearPicture picture(measure, internal);
  picture.resize(size);
  QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  picture.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
  return image;
}

// The bounding rectangle of every pixel the picture touched, in image pixels.
QRect InkBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

}  // namespace

class GearPictureTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void staysInsideItsScaledBox_data() {
    QTest::addColumn<int>("measure");
    QTest::addColumn<bool>("internal");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("ratio");
    const std::array<std::pair<QSize, int>, 4> sizes{
        {{{150, 110}, 1}, {{150, 110}, 2}, {{200, 110}, 1}, {{120, 150}, 1}}};
    for (std::size_t m = 0; m < kMeasures.size(); ++m)
      for (bool internal : {false, true})
        for (const auto& [size, ratio] : sizes)
          QTest::addRow("measure %d %s %dx%d @%d", int(m), internal ? "internal" : "external",
                        size.width(), size.height(), ratio)
              << int(m) << internal << size << ratio;
  }

  void staysInsideItsScaledBox() {
    QFETCH(int, measure);
    QFETCH(bool, internal);
    QFETCH(QSize, size);
    QFETCH(int, ratio);
    const QImage image = Render(kMeasures[measure], internal, size, ratio);
    const QRect ink = InkBounds(image);
    QVERIFY2(!ink.isEmpty(), "the picture draws nothing");

    // The box keeps the aspect ratio 150 : 110 and is centred in the widget.
    const double scale = std::min(size.width() / 150.0, size.height() / 110.0) * ratio;
    const QRectF box((image.width() - 150 * scale) / 2, (image.height() - 110 * scale) / 2,
                     150 * scale, 110 * scale);
    const QRectF allowed = box.adjusted(-1, -1, 1, 1);
    QVERIFY2(allowed.contains(QRectF(ink)),
             qPrintable(QString("ink %1,%2 %3x%4 leaves the box %5,%6 %7x%8")
                            .arg(ink.x())
                            .arg(ink.y())
                            .arg(ink.width())
                            .arg(ink.height())
                            .arg(box.x())
                            .arg(box.y())
                            .arg(box.width())
                            .arg(box.height())));
    const double used = std::max(ink.width() / box.width(), ink.height() / box.height());
    QVERIFY2(used > 0.75, qPrintable(QString("the sketch uses only %1 of its box").arg(used)));
  }

  void sixSketchesDiffer() {
    std::vector<QImage> images;
    for (auto measure : kMeasures)
      for (bool internal : {false, true})
        images.push_back(Render(measure, internal, QSize(150, 110), 1));
    for (std::size_t i = 0; i < images.size(); ++i)
      for (std::size_t j = i + 1; j < images.size(); ++j) {
        int differing = 0;
        for (int y = 0; y < images[i].height(); ++y)
          for (int x = 0; x < images[i].width(); ++x)
            differing += images[i].pixel(x, y) != images[j].pixel(x, y);
        // A tenth of the pixels: more than a moved label or line.
        QVERIFY2(differing > 150 * 110 / 10,
                 qPrintable(QString("sketches %1 and %2 look alike").arg(i).arg(j)));
      }
  }
};

QTEST_MAIN(GearPictureTest)
#include "GearPictureTest.moc"
