#include "skin/qt/skin_images_qt.h"

#include "storage/file_system.h"

namespace px {
namespace {

std::optional<SkinPictureFile> ReadSkinFile(TextView path) { return ReadSkinPicture(SystemFileSystem(), path); }

}  // namespace

std::optional<QImage> DecodeSkinImageQt(const SkinPictureFile& file) {
  QImage image;
  if (!image.loadFromData(file.bytes.data(), static_cast<int>(file.bytes.size()), "PNG")) return std::nullopt;
  // Pictures with alpha blend over what lies under them; the others replace it.
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}

QImage LoadSkinImageQt(TextView imagePath) {
  const std::optional<SkinPictureFile> file = ReadSkinFile(imagePath);
  return file ? DecodeSkinImageQt(*file).value_or(QImage{}) : QImage{};
}

QImage LoadSkinBackgroundQt(TextView imagePath, PixelSize needed) {
  const std::optional<SkinPictureFile> file = ReadSkinFile(imagePath);
  if (!file || !BackgroundHolds(file->size, needed)) return {};
  return DecodeSkinImageQt(*file).value_or(QImage{});
}

QtSkinImages::QtSkinImages() : images_(&ReadSkinFile, &DecodeSkinImageQt, &SayOverBudget) {}

}  // namespace px
