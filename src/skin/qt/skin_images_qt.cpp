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

QImage LoadSkinImageQt(TextView imagePath, int density) {
  const std::optional<SkinPictureFile> file = ReadSkinPictureAt(SystemFileSystem(), imagePath, density);
  return file ? DecodeSkinImageQt(*file).value_or(QImage{}) : QImage{};
}

QImage LoadSkinBackgroundQt(TextView imagePath, PixelSize needed, int density) {
  const std::optional<SkinPictureFile> file = ReadSkinBackgroundAt(SystemFileSystem(), imagePath, needed, density);
  return file ? DecodeSkinImageQt(*file).value_or(QImage{}) : QImage{};
}

QtSkinImages::QtSkinImages(int density)
    : images_([](TextView path, int wanted) { return ReadSkinPictureAt(SystemFileSystem(), path, wanted); },
              &DecodeSkinImageQt, &SayOverBudget) {
  images_.AtDensity(density);
}

}  // namespace px
