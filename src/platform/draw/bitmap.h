#pragma once
// Device-compatible bitmaps: 32-bit RGB pixel buffers that a memory device
// context draws into. Copies of a TBitmap share the same pixels, so a bitmap
// selected into a memory context stays alive while the context uses it.

#include <memory>

class TDC;
class QImage;

class TBitmap {
 public:
  // A bitmap that fits the given context; a width or height of 0 gives a
  // 1 x 1 bitmap as CreateCompatibleBitmap does. Negative sizes, more than
  // 2 GB of pixels or a buffer that cannot be allocated give an invalid
  // bitmap (IsValid is false).
  TBitmap(const TDC& dc, int width, int height);
  TBitmap(int width, int height);
  TBitmap() = default;  // no bitmap: invalid
  ~TBitmap();
  TBitmap(const TBitmap&);
  TBitmap& operator=(const TBitmap&);

  bool IsValid() const { return image != nullptr; }
  int Width() const;
  int Height() const;

  // The pixels, for the platform's own use (device contexts, bitmap files).
  const std::shared_ptr<QImage>& Image() const { return image; }

 private:
  std::shared_ptr<QImage> image;
};
