#include <algorithm>
#include <span>
#include <utility>

#include "image/dib_image.h"
#include "image/image_buffer.h"

namespace kestrun {

namespace {

// Weights are thousandths of a source pixel's side.
constexpr std::int64_t WeightUnit = 1000;

std::int64_t Truncate(double value) {
    return static_cast<std::int64_t>(value);
}

void ResampleNearest(const CDibImage& source, CDibImage& target, float xScale, float yScale) {
    for (std::int64_t y = 0; y < target.GetHeight(); ++y) {
        const std::int64_t sy = Truncate(static_cast<float>(y) * yScale);
        for (std::int64_t x = 0; x < target.GetWidth(); ++x) {
            const std::int64_t sx = Truncate(static_cast<float>(x) * xScale);
            target.SetPixelColor(x, y, source.GetPixelColor(sx, sy));
        }
    }
}

// Shrinks a 24-bit image in both directions: every new pixel is the weighted mean of the source
// area it covers, built in two accumulator rows (the new row in progress and the next one).
class AreaAverager {
  public:
    AreaAverager(const CDibImage& source, CDibImage& target, float xScale, float yScale)
        : source_(source),
          target_(target),
          xScale_(xScale),
          yScale_(yScale),
          newWidth_(target.GetWidth()),
          divisor_(std::max<std::int64_t>(1, Truncate(xScale * yScale * 1000.0f))),
          current_(ImageBuffer<std::int64_t>::Zeroed(3 * (newWidth_ + 1))),
          next_(ImageBuffer<std::int64_t>::Zeroed(3 * (newWidth_ + 1))),
          columns_(ImageBuffer<Column>::Zeroed(source.GetWidth())) {
        if (Ready()) {
            PlanColumns();
        }
    }

    // False when there was no memory for the accumulators.
    bool Ready() const { return !current_.Empty() && !next_.Empty() && !columns_.Empty(); }

    void Run() {
        double yEdge = yScale_ - 1;
        for (std::int64_t sy = 0; sy < source_.GetHeight(); ++sy) {
            const std::uint8_t* row = source_.GetBits() + sy * source_.GetRowBytes();
            if (sy < yEdge) {
                AddInnerRow(row);
                continue;
            }
            AddStraddlingRow(row, Truncate((sy - yEdge) * WeightUnit));
            std::swap(current_, next_);
            std::fill_n(next_.Data(), 3, 0);
            yEdge += yScale_;
        }
        if (newRow_ < target_.GetHeight()) {
            for (std::int64_t x = 0; x < newWidth_; ++x) {
                WritePixel(x, x);
            }
        }
    }

  private:
    // Where each source column falls: the new column it adds to and, when it straddles the edge
    // to the next one, the share f (in thousandths) that goes there. The same for every row.
    struct Column {
        std::int64_t cell;
        std::int64_t f;
        bool straddles;
    };

    void PlanColumns() {
        double xEdge = xScale_ - 1;
        std::int64_t k = 0;
        for (std::size_t sx = 0; sx < columns_.Count(); ++sx) {
            if (static_cast<double>(sx) < xEdge || k >= newWidth_) {
                columns_[sx] = Column{k, 0, false};
                continue;
            }
            columns_[sx] =
                Column{k, Truncate((static_cast<double>(sx) - xEdge) * WeightUnit), true};
            ++k;
            xEdge += xScale_;
        }
    }

    void AddInnerRow(const std::uint8_t* row) {
        for (const Column& column : Columns()) {
            const std::uint8_t* pixel = row;
            row += 3;
            std::int64_t* cell = &current_[3 * column.cell];
            if (!column.straddles) {
                for (int c = 0; c < 3; ++c) {
                    cell[c] += WeightUnit * pixel[c];
                }
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                cell[c] += (WeightUnit - column.f) * pixel[c];
                cell[3 + c] += column.f * pixel[c];
            }
        }
    }

    // The source row crosses the edge to the next new row: g thousandths of it belong there.
    void AddStraddlingRow(const std::uint8_t* row, std::int64_t g) {
        std::int64_t written = 0;
        std::int64_t k = 0;
        for (const Column& column : Columns()) {
            const std::uint8_t* pixel = row;
            row += 3;
            k = column.cell;
            if (!column.straddles) {
                for (int c = 0; c < 3; ++c) {
                    current_[3 * k + c] += (WeightUnit - g) * pixel[c];
                    next_[3 * k + c] += g * pixel[c];
                }
                continue;
            }
            const std::int64_t f = column.f;
            for (int c = 0; c < 3; ++c) {
                const std::int64_t v = pixel[c];
                current_[3 * k + c] += v * (WeightUnit - g) * (WeightUnit - f) / WeightUnit;
                next_[3 * k + c] += v * (WeightUnit - f) * g / WeightUnit;
                current_[3 * (k + 1) + c] += v * (WeightUnit - g) * f / WeightUnit;
                next_[3 * (k + 1) + c] = v * g * f / WeightUnit;
            }
            WritePixel(written++, k);
            ++k;
        }
        if (written < newWidth_) {
            WritePixel(written, k);
        }
        ++newRow_;
    }

    std::span<const Column> Columns() const { return {columns_.Data(), columns_.Count()}; }

    void WritePixel(std::int64_t x, std::int64_t cell) {
        if (x >= newWidth_ || newRow_ >= target_.GetHeight()) {
            return;
        }
        std::uint8_t* pixel = target_.GetBits() + newRow_ * target_.GetRowBytes() + 3 * x;
        for (int c = 0; c < 3; ++c) {
            // Truncated weights can add up to a little more than the divisor: clamp, or white
            // wraps round to black.
            pixel[c] = static_cast<std::uint8_t>(
                std::min<std::int64_t>(255, current_[3 * cell + c] / divisor_));
        }
    }

    const CDibImage& source_;
    CDibImage& target_;
    const double xScale_;
    const double yScale_;
    const std::int64_t newWidth_;
    const std::int64_t divisor_;
    ImageBuffer<std::int64_t> current_;
    ImageBuffer<std::int64_t> next_;
    ImageBuffer<Column> columns_;
    std::int64_t newRow_ = 0;
};

RgbQuad StoredColor(const CDibImage& image, std::int64_t x, std::int64_t y) {
    if (image.GetBitCount() < 24) {
        return image.GetPaletteColor(image.GetPixelIndex(x, y));
    }
    const std::uint8_t* pixel = image.GetBits() + y * image.GetRowBytes() + 3 * x;
    return RgbQuad{pixel[0], pixel[1], pixel[2], 0};
}

std::uint8_t Blend(std::uint8_t c00, std::uint8_t c10, std::uint8_t c01, std::uint8_t c11, float dx,
                   float dy) {
    const float left = c00 * (1 - dy) + c01 * dy;
    const float right = c10 * (1 - dy) + c11 * dy;
    return static_cast<std::uint8_t>(std::min(255.0f, left * (1 - dx) + right * dx));
}

void ResampleBilinear(const CDibImage& source, CDibImage& target, float xScale, float yScale) {
    const std::int64_t lastColumn = source.GetWidth() - 1;
    const std::int64_t lastRow = source.GetHeight() - 1;
    for (std::int64_t y = 0; y < target.GetHeight(); ++y) {
        const float fy = static_cast<float>(y) * yScale;
        const std::int64_t iy = std::min(Truncate(fy), lastRow);
        const std::int64_t iy1 = std::min(iy + 1, lastRow);
        const float dy = fy - static_cast<float>(iy);
        for (std::int64_t x = 0; x < target.GetWidth(); ++x) {
            const float fx = static_cast<float>(x) * xScale;
            const std::int64_t ix = std::min(Truncate(fx), lastColumn);
            const std::int64_t ix1 = std::min(ix + 1, lastColumn);
            const float dx = fx - static_cast<float>(ix);
            const RgbQuad c00 = StoredColor(source, ix, iy);
            const RgbQuad c10 = StoredColor(source, ix1, iy);
            const RgbQuad c01 = StoredColor(source, ix, iy1);
            const RgbQuad c11 = StoredColor(source, ix1, iy1);
            const RgbQuad result{
                Blend(c00.rgbBlue, c10.rgbBlue, c01.rgbBlue, c11.rgbBlue, dx, dy),
                Blend(c00.rgbGreen, c10.rgbGreen, c01.rgbGreen, c11.rgbGreen, dx, dy),
                Blend(c00.rgbRed, c10.rgbRed, c01.rgbRed, c11.rgbRed, dx, dy), 0};
            target.SetPixelColor(x, y, result);
        }
    }
}

void ResampleAlpha(const CDibImage& source, CDibImage& target, float xScale, float yScale) {
    if (!target.CreateAlphaPlane()) {
        return;
    }
    for (std::int64_t y = 0; y < target.GetHeight(); ++y) {
        const std::int64_t sy = Truncate(static_cast<float>(y) * yScale);
        for (std::int64_t x = 0; x < target.GetWidth(); ++x) {
            target.SetAlpha(x, y, source.GetAlpha(Truncate(static_cast<float>(x) * xScale), sy));
        }
    }
}

}  // namespace

bool CDibImage::Rescale(std::uint32_t newWidth, std::uint32_t newHeight, bool fast) {
    if (newWidth == 0 || newHeight == 0 || IsEmpty()) {
        return false;
    }
    const std::int64_t width = GetWidth();
    const std::int64_t height = GetHeight();
    if (newWidth == width && newHeight == height) {
        return true;
    }
    const float xScale = static_cast<float>(width) / static_cast<float>(newWidth);
    const float yScale = static_cast<float>(height) / static_cast<float>(newHeight);

    CDibImage result(GetFormat());
    result.CopyAttributes(*this);
    result.bitmapHeader_.biXPelsPerMeter = bitmapHeader_.biXPelsPerMeter;
    result.bitmapHeader_.biYPelsPerMeter = bitmapHeader_.biYPelsPerMeter;
    if (result.Create(newWidth, newHeight, GetBitCount(), GetFormat()) == nullptr) {
        return false;
    }
    result.SetPalette(GetPalette(), std::min<std::uint32_t>(256, bitmapHeader_.biClrUsed));

    if (fast) {
        ResampleNearest(*this, result, xScale, yScale);
    } else if (newWidth < width && newHeight < height && GetBitCount() == 24) {
        AreaAverager averager(*this, result, xScale, yScale);
        if (!averager.Ready()) {
            return false;
        }
        averager.Run();
    } else {
        ResampleBilinear(*this, result, xScale, yScale);
    }
    if (HasAlphaPlane()) {
        ResampleAlpha(*this, result, xScale, yScale);
    }
    TakeOver(result);
    return true;
}

}  // namespace kestrun
