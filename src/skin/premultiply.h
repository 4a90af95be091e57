#pragma once
// The decoded pictures' pixels: alpha blending with per-pixel alpha expects
// colour already scaled by alpha, and a decoder's rows land in a bitmap of
// another row length.
#include <cstddef>
#include <cstdint>
#include <span>

namespace px {

// Scales the three colour bytes of every 4-byte blue-green-red-alpha pixel by
// its alpha byte (integer quotient of c * a / 255); alpha stays as it is.
// A trailing partial pixel, which a caller's size arithmetic may leave, is
// not touched.
void PremultiplyBgra(std::span<std::uint8_t> pixels);

// The bytes of one row of a Windows device-independent bitmap: whole 32-bit words.
constexpr int DibRowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

// Rows of pixels and the distance from one row's start to the next's.
template <typename Byte>
struct PixelRows {
  Byte* first;
  std::ptrdiff_t stride;
};

// Copies the first `rowBytes` bytes of `rows` rows, each picture at its own stride.
void CopyPixelRows(PixelRows<const std::uint8_t> from, PixelRows<std::uint8_t> to, std::size_t rowBytes, int rows);

}  // namespace px
