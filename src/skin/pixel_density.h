#pragma once
// Pictures for scaled screens. A skin may give each picture a second time at
// twice its size (`NAME@2x.png` beside `NAME.png`); a window whose device
// pixel ratio is above 1 draws from those, so that its pictures stay sharp.
// And the one rule that turns the windows' logical coordinates into device
// pixels, so that pictures which meet in logical coordinates still meet on
// the device at 1.25 or 1.5.
#include <optional>

#include "common/geometry.h"
#include "common/text.h"
#include "skin/image_limits.h"
#include "storage/file_system.h"

namespace px {

inline constexpr int kPlainDensity = 1;
inline constexpr int kDoubledDensity = 2;

// From which device pixel ratio a system's windows draw the doubled pictures.
// Qt's windows take them above 1, fractional ratios included (its smooth
// scaling draws them down to 1.25 or 1.5 sharper than plain ones drawn up).
// The Windows program takes them from 150 %: below that the plain pictures,
// enlarged a quarter, lose little, for a quarter of the doubled ones' memory.
enum class DoubledPictures { AboveOne, FromOneAndAHalf };

// The pictures a window at this device pixel ratio draws from.
int PictureDensityFor(double devicePixelRatio, DoubledPictures from);

// "…/main.png" → "…/main@2x.png"; empty when the name does not end in ".png".
Text DoubledPicturePath(TextView imagePath);

// The density a picture is read at: the doubled one when wanted, present and
// exactly twice the plain one's width and height; else the plain one (a skin
// with plain pictures only still works, scaled).
int ChoosePictureDensity(int wanted, std::optional<PixelSize> plain, std::optional<PixelSize> doubled);

// Reads a picture as ReadSkinPicture does, at the density chosen above; the
// file says which (SkinPictureFile::density).
std::optional<SkinPictureFile> ReadSkinPictureAt(FileSystem& files, TextView path, int wanted);

// A window's background at the density chosen, that holds `needed` (logical
// pixels) at that density (BackgroundHolds); a doubled one that does not
// falls back to the plain one.
std::optional<SkinPictureFile> ReadSkinBackgroundAt(FileSystem& files, TextView path, PixelSize needed, int wanted);

// Logical to device pixels at a ratio: each edge rounded on its own (to the
// nearest, halves away from zero), so that neighbours share their edge and no
// seam opens between them. Canvases are made at DeviceEdge of their logical
// size.
int DeviceEdge(int logical, double ratio);
Rect DeviceRect(const Rect& logical, double ratio);
// The logical size a canvas made at DeviceEdge(logical, ratio) came from.
int LogicalEdge(int device, double ratio);
// A canvas edge made at one ratio, made again at another (a window moved to a
// screen of another scale).
int RescaledEdge(int device, double from, double to);
// The logical pixel a device pixel (a click, the pointer) lies in: the one
// whose DeviceRect holds it, so that a click lands on what was drawn there.
Point LogicalPoint(Point device, double ratio);

}  // namespace px
