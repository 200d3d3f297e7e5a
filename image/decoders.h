#pragma once

#include "image/dib_image.h"
#include "image/image_file.h"

namespace kestrun {

// One decoder per file format, each made for one decoding and then taken over by the image that
// asked for it. Decode reads the whole picture from file into this object.
//
// Failure convention: inside Decode a failure is thrown as its text (a const char*) and caught in
// the same Decode, which frees what it allocated, stores the text with SetErrorText and returns
// false. Nothing is thrown out of Decode. The icon decoder returns false without a text.

class CPngImage : public CDibImage {
  public:
    explicit CPngImage(ImageFormat format = FORMAT_PNG) : CDibImage(format) {}
    bool Decode(CImageFile* file);
};

class CBmpImage : public CDibImage {
  public:
    explicit CBmpImage(ImageFormat format = FORMAT_BMP) : CDibImage(format) {}
    bool Decode(CImageFile* file);
};

class CIcoImage : public CDibImage {
  public:
    explicit CIcoImage(ImageFormat format = FORMAT_ICO) : CDibImage(format) {}
    bool Decode(CImageFile* file);
};

class CPcxImage : public CDibImage {
  public:
    explicit CPcxImage(ImageFormat format = FORMAT_PCX) : CDibImage(format) {}
    bool Decode(CImageFile* file);
};

}  // namespace kestrun
