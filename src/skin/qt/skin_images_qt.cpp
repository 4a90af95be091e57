#include "skin/qt/skin_images_qt.h"

#include "skin/image_limits.h"
#include "storage/file_system.h"

namespace px {

QImage LoadSkinImageQt(TextView imagePath) {
  const ReadResult file = SystemFileSystem().Read(PathFromText(imagePath), kMaxSkinImageFileSize);
  if (!file.Ok()) return {};
  const std::optional<PixelSize> declared = PngHeaderSize(file.bytes);
  if (!declared || !WithinSkinImageLimits(*declared)) return {};
  QImage image;
  if (!image.loadFromData(file.bytes.data(), static_cast<int>(file.bytes.size()), "PNG")) return {};
  // Pictures with alpha blend over what lies under them; the others replace it.
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}

QtSkinImages::QtSkinImages()
    : images_(&LoadSkinImageQt, [](const QImage& image) { return static_cast<std::size_t>(image.sizeInBytes()); }) {}

}  // namespace px
