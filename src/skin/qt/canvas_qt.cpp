#include "skin/qt/canvas_qt.h"

#include "skin/pixel_density.h"
#include "skin/qt/skin_images_qt.h"
#include "storage/file_system.h"

namespace px {

QImage MakeCanvasQt(QSize logical, double ratio, QImage::Format format) {
  QImage canvas(DeviceEdge(logical.width(), ratio), DeviceEdge(logical.height(), ratio), format);
  canvas.setDevicePixelRatio(ratio);
  return canvas;
}

QSize LogicalSizeQt(const QImage& image) {
  const double ratio = image.devicePixelRatio();
  return {LogicalEdge(image.width(), ratio), LogicalEdge(image.height(), ratio)};
}

void DrawPictureQt(QPainter& painter, const QImage& picture, Point at, double ratio) {
  const double density = picture.devicePixelRatio();
  if (ratio == 1.0 && density == 1.0) {
    painter.drawImage(QPoint(at.x, at.y), picture);
    return;
  }
  const QSize logical = LogicalSizeQt(picture);
  const Rect device = DeviceRect({at.x, at.y, at.x + logical.width(), at.y + logical.height()}, ratio);
  // In logical coordinates again, the painter's scale brings it back onto
  // the rounded device pixels.
  const QRectF target(device.left / ratio, device.top / ratio, device.Width() / ratio, device.Height() / ratio);
  // Resampled only where the picture's pixels are not the canvas's.
  const bool resampled = density != ratio;
  painter.setRenderHint(QPainter::SmoothPixmapTransform, resampled);
  painter.drawImage(target, picture, QRectF(picture.rect()));
  if (resampled) painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

QImage LoadBackgroundCanvasQt(TextView imagePath, PixelSize needed, double ratio) {
  const int density = PictureDensityFor(ratio, DoubledPictures::AboveOne);
  const std::optional<SkinPictureFile> file = ReadSkinBackgroundAt(SystemFileSystem(), imagePath, needed, density);
  const std::optional<QImage> picture = file ? DecodeSkinImageQt(*file) : std::nullopt;
  if (!picture) return {};
  if (ratio == 1.0 && picture->devicePixelRatio() == 1.0) return picture->convertToFormat(QImage::Format_RGB32);
  QImage canvas = MakeCanvasQt(LogicalSizeQt(*picture), ratio);
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  DrawPictureQt(painter, *picture, {0, 0}, ratio);
  return canvas;
}

}  // namespace px
