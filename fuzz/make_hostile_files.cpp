// Writes image files that are cheap to store but were once expensive to decode: megabytes of
// compressed text, compressed data after the last row, a picture whose alpha plane breaks the
// memory cap, run-length data far past the end of each row, PCX rows far longer than the picture.
// They are too large to keep in the repository, so the build makes them for the replay tests.
//
// Usage: make_hostile_files FOLDER   (writes FOLDER/png/*.png, FOLDER/bmp/*.bmp, FOLDER/pcx/*.pcx)
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

namespace fs = std::filesystem;
using Bytes = std::string;

void PutBe32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>(value >> shift);
    }
}

void PutLe(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>(value >> (8 * i));
    }
}

// A deflate stream, built piece by piece. Each piece ends on a full flush, so that its bytes
// stand alone and may be repeated to stand for its data many times over.
class Deflater {
  public:
    Deflater() { deflateInit(&stream_, Z_BEST_COMPRESSION); }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    Bytes Piece(const Bytes& data, int flush = Z_FULL_FLUSH) {
        Bytes out;
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream_.avail_in = static_cast<uInt>(data.size());
        char chunk[65536];
        do {
            stream_.next_out = reinterpret_cast<Bytef*>(chunk);
            stream_.avail_out = sizeof chunk;
            deflate(&stream_, flush);
            out.append(chunk, sizeof chunk - stream_.avail_out);
        } while (stream_.avail_out == 0);
        return out;
    }

    // The last block and the checksum, which the caller gives for all the data it stands for.
    Bytes End(std::uint32_t adler) {
        Bytes out = Piece({}, Z_FINISH);
        out.resize(out.size() - 4);
        PutBe32(out, adler);
        return out;
    }

  private:
    z_stream stream_{};
};

// The Adler-32 checksum of data followed by count zero bytes.
std::uint32_t AdlerWithZeros(std::uint32_t adler, std::uint64_t count) {
    const std::uint32_t zeros = static_cast<std::uint32_t>(count % 65521) << 16 | 1;
    return static_cast<std::uint32_t>(
        adler32_combine64(adler, zeros, static_cast<z_off64_t>(count)));
}

Bytes PngChunk(const char* kind, const Bytes& data) {
    Bytes out;
    PutBe32(out, static_cast<std::uint32_t>(data.size()));
    const Bytes body = kind + data;
    out += body;
    PutBe32(out, static_cast<std::uint32_t>(
                     crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
    return out;
}

Bytes PngHeader(std::uint32_t width, std::uint32_t height, int colourType) {
    Bytes ihdr;
    PutBe32(ihdr, width);
    PutBe32(ihdr, height);
    ihdr += {8, static_cast<char>(colourType), 0, 0, 0};
    return Bytes("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr);
}

// The compressed image data in IDAT chunks of at most 1 MiB, then the end chunk.
Bytes PngImageData(const Bytes& compressed) {
    Bytes out;
    for (std::size_t at = 0; at < compressed.size(); at += 1 << 20) {
        out += PngChunk("IDAT", compressed.substr(at, 1 << 20));
    }
    return out + PngChunk("IEND", {});
}

// Ten rows of ten RGB pixels, each row led by its filter byte.
Bytes SmallRgbRows() {
    Bytes rows;
    for (int y = 0; y < 10; ++y) {
        rows += '\0';
        for (int i = 0; i < 30; ++i) {
            rows += static_cast<char>(y * 30 + i);
        }
    }
    return rows;
}

std::uint32_t Adler(const Bytes& data) {
    return static_cast<std::uint32_t>(
        adler32(1, reinterpret_cast<const Bytef*>(data.data()), data.size()));
}

// A small picture with a thousand text chunks, each inflating to almost 8 MB.
Bytes PngWithCompressedText() {
    Deflater text;
    const Bytes body = Bytes("Comment\0\0", 9) + text.Piece(Bytes(7'900'000, '\0'), Z_FINISH);
    Bytes file = PngHeader(10, 10, 2);
    for (int i = 0; i < 1000; ++i) {
        file += PngChunk("zTXt", body);
    }
    const Bytes rows = SmallRgbRows();
    Deflater image;
    const Bytes compressed = image.Piece(rows);
    return file + PngImageData(compressed + image.End(Adler(rows)));
}

// A small picture whose image data goes on for gigabytes of zeros after its last row.
Bytes PngWithTrailingData() {
    const Bytes rows = SmallRgbRows();
    const std::uint64_t zerosPerPiece = 1 << 20;
    const int pieces = 4000;
    Deflater image;
    Bytes compressed = image.Piece(rows);
    const Bytes zeros = image.Piece(Bytes(zerosPerPiece, '\0'));
    for (int i = 0; i < pieces; ++i) {
        compressed += zeros;
    }
    compressed += image.End(AdlerWithZeros(Adler(rows), zerosPerPiece * pieces));
    return PngHeader(10, 10, 2) + PngImageData(compressed);
}

// A transparent 9400 x 9400 RGBA picture: small as a file, but its colour rows and alpha plane
// together need more than any picture may take.
Bytes PngWithLargeAlphaPlane() {
    const std::uint32_t side = 9400;
    const std::uint32_t rowsPerPiece = 100;
    const std::uint64_t rowBytes = 1 + 4 * std::uint64_t{side};
    const Bytes band(rowBytes * rowsPerPiece, '\0');
    Deflater image;
    // The first piece carries the stream header, so only the second one is repeated.
    Bytes compressed = image.Piece(band);
    const Bytes piece = image.Piece(band);
    for (std::uint32_t i = 1; i < side / rowsPerPiece; ++i) {
        compressed += piece;
    }
    compressed += image.End(AdlerWithZeros(1, rowBytes * side));
    return PngHeader(side, side, 6) + PngImageData(compressed);
}

Bytes BmpHeaders(std::int32_t width, std::int32_t height, int bits, int compression,
                 std::uint32_t dataBytes) {
    const std::uint32_t offset = 14 + 40 + 4 * (1u << bits);
    Bytes out = "BM";
    PutLe(out, offset + dataBytes, 4);
    PutLe(out, 0, 4);
    PutLe(out, offset, 4);
    for (std::uint32_t field :
         {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) {
        PutLe(out, field, 4);
    }
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(bits), 2);
    for (std::uint32_t field :
         {static_cast<std::uint32_t>(compression), 0u, 2835u, 2835u, 0u, 0u}) {
        PutLe(out, field, 4);
    }
    return out + Bytes(4 * (1u << bits), '\x7f');
}

// A 1 x 1 picture whose run-length data repeats runs of 255 pixels along its only row.
Bytes BmpWithRunsPastTheRow() {
    Bytes data;
    for (int i = 0; i < 4'000'000; ++i) {
        data += "\xff\x01";
    }
    data += Bytes("\0\1", 2);
    return BmpHeaders(1, 1, 8, 1, static_cast<std::uint32_t>(data.size())) + data;
}

// A 1 x 1200 four-plane PCX whose rows are 65535 bytes per plane, told in runs of 63.
Bytes PcxWithLongRows() {
    const std::uint32_t bytesPerLine = 65535;
    const std::uint32_t height = 1200;
    Bytes out;
    out += {10, 5, 1, 1};
    for (std::uint32_t field : {0u, 0u, 0u, height - 1, 72u, 72u}) {
        PutLe(out, field, 2);
    }
    out += Bytes(48, '\0');
    out += {0, 4};
    PutLe(out, bytesPerLine, 2);
    PutLe(out, 1, 2);
    out += Bytes(58, '\0');
    std::uint64_t left = std::uint64_t{bytesPerLine} * 4 * height;
    while (left > 0) {
        const std::uint64_t run = left < 63 ? left : 63;
        out += static_cast<char>(0xC0 | run);
        out += '\x55';
        left -= run;
    }
    return out;
}

bool Write(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_hostile_files FOLDER\n";
        return 2;
    }
    const fs::path folder = argv[1];
    const bool written = Write(folder / "png/compressed_text.png", PngWithCompressedText()) &&
                         Write(folder / "png/trailing_data.png", PngWithTrailingData()) &&
                         Write(folder / "png/large_alpha_plane.png", PngWithLargeAlphaPlane()) &&
                         Write(folder / "bmp/runs_past_the_row.bmp", BmpWithRunsPastTheRow()) &&
                         Write(folder / "pcx/long_rows.pcx", PcxWithLongRows());
    if (!written) {
        std::cerr << "make_hostile_files: cannot write into " << folder << '\n';
        return 1;
    }
    return 0;
}
