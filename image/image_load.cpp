#include <cstdio>

#include "image/decoders.h"
#include "image/dib_image.h"
#include "image/image_file.h"

namespace kestrun {

namespace {

template <typename Decoder>
bool DecodeWith(Decoder& decoder, CDibImage& image, CImageFile* file) {
    if (decoder.Decode(file)) {
        image.TakeOver(decoder);
        return true;
    }
    image.SetErrorText(decoder.GetErrorText());
    return false;
}

template <typename Decoder>
bool DecodeWith(CDibImage& image, CImageFile* file, ImageFormat type) {
    Decoder decoder(type);
    return DecodeWith(decoder, image, file);
}

}  // namespace

bool CDibImage::Load(const std::string& path, ImageFormat type) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        return false;
    }
    bool decoded = false;
    {
        CImageFile file(stream);
        decoded = Decode(&file, type);
    }
    std::fclose(stream);
    return decoded;
}

bool CDibImage::Decode(CImageFile* file, ImageFormat type) {
    switch (type) {
        case FORMAT_BMP:
            return DecodeWith<CBmpImage>(*this, file, type);
        case FORMAT_PNG:
            return DecodeWith<CPngImage>(*this, file, type);
        case FORMAT_ICO: {
            CIcoImage decoder(type);
            decoder.SetImageIndex(GetImageIndex());
            return DecodeWith(decoder, *this, file);
        }
        case FORMAT_PCX:
            return DecodeWith<CPcxImage>(*this, file, type);
        default:
            SetErrorText(ImageErrorText(UnsupportedFormat));
            return false;
    }
}

}  // namespace kestrun
