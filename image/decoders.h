#pragma once

#include "image/dib_image.h"
#include "image/image_error.h"
#include "image/image_file.h"

namespace kestrun {

// One decoder per file format, each made for one decoding and then taken over by the image that
// asked for it. Decode reads the whole picture from file into this object; on failure the object
// is left empty with the error's text (the icon decoder leaves the text empty).

class CPngImage : public CDibImage {
  public:
    explicit CPngImage(ImageFormat format = FORMAT_PNG) : CDibImage(format) {}
    bool Decode(CImageFile* file);
};

class CBmpImage : public CDibImage {
  public:
    explicit CBmpImage(ImageFormat format = FORMAT_BMP) : CDibImage(format) {}
    bool Decode(CImageFile* file);

  private:
    ImageError Read(CImageFile& file);
};

class CIcoImage : public CDibImage {
  public:
    explicit CIcoImage(ImageFormat format = FORMAT_ICO) : CDibImage(format) {}
    bool Decode(CImageFile* file);

  private:
    ImageError Read(CImageFile& file);
};

class CPcxImage : public CDibImage {
  public:
    explicit CPcxImage(ImageFormat format = FORMAT_PCX) : CDibImage(format) {}
    bool Decode(CImageFile* file);
};

}  // namespace kestrun
