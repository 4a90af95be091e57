#pragma once
// The windows' off-screen canvases at device pixels: a canvas is made at
// DeviceEdge of its logical size and carries the window's device pixel ratio,
// so that painting on it stays in logical coordinates (texts at the scaled
// font size) and it reaches the screen pixel for pixel. Pictures are placed
// by the one rounding rule (DeviceRect), so neighbours meet without a seam at
// 1.25 or 1.5 too. At a ratio of 1 everything is drawn as it always was.
#include <QImage>
#include <QPainter>
#include <QSize>

#include "common/geometry.h"
#include "common/text.h"
#include "skin/image_limits.h"

namespace px {

// A canvas for `logical` pixels at this ratio.
QImage MakeCanvasQt(QSize logical, double ratio, QImage::Format format = QImage::Format_RGB32);

// The logical size of a picture or canvas (its pixels over its ratio).
QSize LogicalSizeQt(const QImage& image);

// Draws a skin picture (its own ratio says its density) with its top-left
// corner at `at`, logical, onto a painter over a canvas of ratio `ratio`.
void DrawPictureQt(QPainter& painter, const QImage& picture, Point at, double ratio);

// A window's canvas holding its background picture, at the window's ratio
// (the doubled picture on a scaled screen): a null image when the picture
// does not load or, from its header before any decoding, is smaller than
// `needed` or larger than the largest window (BackgroundHolds at its density).
QImage LoadBackgroundCanvasQt(TextView imagePath, PixelSize needed, double ratio);

}  // namespace px
