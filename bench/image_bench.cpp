// Speed of the image writers and readers against zlib and libpng on a 2000 x 2000 drawing
// that is not uniform, at 24 and 8 bits per pixel.
//
//   png_write_ratio: the PNG encoder's time over zlib's compress of the same unfiltered rows
//                    (the deflate work every such writer does; goal <= 1.2)
//   png_read_ratio:  igrloadimagedata_'s time over libpng reading the same file to RGB rows
//                    (goal <= 1.5)
// Each figure is the best of a few runs. Output, one line per figure:
//   bits=<b> png_write_ratio=<x> png_read_ratio=<x> encode_s=<t> compress_s=<t> read_s=<t>
//   libpng_s=<t>
#include "hardcopy/image_codec.h"
#include "quillamorph/imagefiles.h"

#include <png.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;
const int kRuns = 3;
const int kSide = 2000;

double Best(const std::function<void()> &work) {
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        auto start = Clock::now();
        work();
        double s = std::chrono::duration<double>(Clock::now() - start).count();
        if (s < best) best = s;
    }
    return best;
}

quill::ImagePixels Picture(int bits) {
    quill::ImagePixels image;
    image.Allocate(kSide, kSide, bits);
    for (int i = 0; i < 256; ++i) image.palette.push_back(quill::RgbOf(i, 255 - i, (i * 7) & 255));
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            // Bands, circles and a diagonal hatch: runs of several lengths, as a drawing has.
            int dx = x - 1000, dy = y - 1000;
            int v = ((dx * dx + dy * dy) / 4000) % 16 * 9 + ((x + y) % 37 < 3 ? 100 : 0) +
                    (x / 250) * 3;
            if (bits == 8) {
                image.Row(y)[x] = static_cast<unsigned char>(v);
            } else {
                unsigned char *p = image.Row(y) + 3 * x;
                p[0] = static_cast<unsigned char>(v);
                p[1] = static_cast<unsigned char>(v * 3 + y / 100);
                p[2] = static_cast<unsigned char>(255 - v);
            }
        }
    return image;
}

// The PNG's rows as a library reading to RGB does it.
void LibpngRead(const std::string &path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rows(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rows.data(), 0, nullptr);
}

}  // namespace

int main() {
    std::string path = (std::filesystem::temp_directory_path() / "quill-image-bench.png").string();
    for (int bits : {24, 8}) {
        quill::ImagePixels image = Picture(bits);
        std::vector<unsigned char> png;
        double encode = Best([&] {
            png.clear();
            int z = 0;
            quill::EncodePng(image, png, &z);
        });
        std::size_t rowbytes = bits == 24 ? 3 * kSide : kSide;
        std::vector<unsigned char> raw((rowbytes + 1) * kSide, 0);
        for (int y = 0; y < kSide; ++y)
            std::copy_n(image.Row(y), rowbytes, raw.begin() + y * (rowbytes + 1) + 1);
        std::vector<unsigned char> packed(compressBound(raw.size()));
        double zlib = Best([&] {
            uLongf n = packed.size();
            compress(packed.data(), &n, raw.data(), raw.size());
        });
        FILE *f = std::fopen(path.c_str(), "wb");
        std::fwrite(png.data(), 1, png.size(), f);
        std::fclose(f);
        std::vector<int> rgb(static_cast<std::size_t>(kSide) * kSide);
        double read = Best(
            [&] { igrloadimagedata_(path.c_str(), rgb.data(), static_cast<int>(path.size())); });
        double libpng = Best([&] { LibpngRead(path); });
        std::printf(
            "bits=%d png_write_ratio=%.3f png_read_ratio=%.3f encode_s=%.4f compress_s=%.4f "
            "read_s=%.4f libpng_s=%.4f\n",
            bits, encode / zlib, read / libpng, encode, zlib, read, libpng);
    }
    std::filesystem::remove(path);
    return 0;
}
