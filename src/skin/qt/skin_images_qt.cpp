#include "skin/qt/skin_images_qt.h"

#include "storage/file_system.h"

namespace px {

std::optional<QImage> DecodeSkinImageQt(const SkinPictureFile& file) {
  QImage image;
  if (!image.loadFromData(file.bytes.data(), static_cast<int>(file.bytes.size()), "PNG")) return std::nullopt;
  // Pictures with alpha blend over what lies under them; the others replace it.
  image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  image.setDevicePixelRatio(file.density);
  return image;
}

QtSkinImages::QtSkinImages(int density)
    : SkinImageCache([](TextView path, int wanted) { return ReadSkinPictureAt(SystemFileSystem(), path, wanted); },
                     &DecodeSkinImageQt, &SayOverBudget) {
  AtDensity(density);
}

}  // namespace px
