// Helpers of the image tests: a drawing at every depth, files in and out, and the independent
// readers (PIL, netpbm, pngcheck), which run in the native build only: the Windows build's
// tests check the same bytes through the library's own decoders.
#ifndef TESTS_HARDCOPY_IMAGE_TEST_TOOLS_H
#define TESTS_HARDCOPY_IMAGE_TEST_TOOLS_H

#include "hardcopy/image_codec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace imagetest {

using quill::ImagePixels;

// The 16 colours of a 4-bit picture and a 256-entry ramp for 8 bits.
inline std::vector<std::uint32_t> Palette(int bits) {
    std::vector<std::uint32_t> p;
    if (bits == 1) return {0xFFFFFF, 0x000000};
    for (int i = 0; i < (1 << bits); ++i)
        p.push_back(quill::RgbOf(i * 37 + 11, 255 - i * 13, i * 91));
    return p;
}

// A W x H drawing that is not uniform: bands, a diagonal, long runs and single pixels.
inline ImagePixels Drawing(int bits, int w, int h) {
    ImagePixels image;
    image.Allocate(w, h, bits);
    if (bits <= 8) image.palette = Palette(bits);
    int colours = bits == 24 ? 1 << 24 : 1 << bits;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int v = (x / 7 + y / 5) % colours;
            if (x == y || x == w - 1 - y) v = colours - 1;
            if (y % 11 == 3) v = 1 % colours;
            if (x > w / 2 && y > h / 2) v = (x * 31 + y * 17) % colours;
            if (bits == 24) {
                unsigned char *p = image.Row(y) + 3 * x;
                p[0] = static_cast<unsigned char>(v * 3);
                p[1] = static_cast<unsigned char>(x * 255 / (w > 1 ? w - 1 : 1));
                p[2] = static_cast<unsigned char>(y * 7);
            } else {
                image.SetIndex(x, y, v);
            }
        }
    return image;
}

// The picture as R, G, B bytes, top row first, as the readers print it.
inline std::string RgbBytes(const ImagePixels &image) {
    std::string out;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t rgb = image.Rgb(x, y);
            out += static_cast<char>(quill::RedOf(rgb));
            out += static_cast<char>(quill::GreenOf(rgb));
            out += static_cast<char>(quill::BlueOf(rgb));
        }
    return out;
}

inline void WriteBytes(const std::filesystem::path &path, const std::vector<unsigned char> &data) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
}

inline std::vector<unsigned char> ReadBytes(const std::filesystem::path &path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(f),
                                      std::istreambuf_iterator<char>());
}

// "" when the two RGB byte strings agree, else where they first differ.
// TOLERANCE: how far one byte may be from the other.
inline std::string RgbDifference(const std::string &expected, const std::string &actual, int width,
                                 int tolerance = 0) {
    if (expected.size() != actual.size())
        return "sizes " + std::to_string(expected.size()) + " and " + std::to_string(actual.size());
    std::size_t i = 0;
    auto near = [&](std::size_t k) {
        return std::abs(static_cast<unsigned char>(expected[k]) -
                        static_cast<unsigned char>(actual[k])) <= tolerance;
    };
    while (i < expected.size() && near(i)) ++i;
    if (i == expected.size()) return "";
    std::size_t pixel = i / 3;
    auto rgb = [&](const std::string &s) {
        return std::to_string(static_cast<unsigned char>(s[3 * pixel])) + " " +
               std::to_string(static_cast<unsigned char>(s[3 * pixel + 1])) + " " +
               std::to_string(static_cast<unsigned char>(s[3 * pixel + 2]));
    };
    return "pixel " + std::to_string(pixel % static_cast<std::size_t>(width)) + "," +
           std::to_string(pixel / static_cast<std::size_t>(width)) + ": " + rgb(expected) +
           " and " + rgb(actual);
}

#ifndef _WIN32
// Runs a shell command; OUTPUT receives its standard output. Returns the exit status.
inline int Run(const std::string &command, std::string *output = nullptr) {
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    int status = pclose(pipe);
    if (output) *output = text;
    return status;
}

// The RGB bytes of a netpbm converter's output (any PNM, widened to PPM), "" on failure.
inline std::string NetpbmRgb(const std::string &converter, const std::filesystem::path &file) {
    std::string ppm;
    if (Run(converter + " '" + file.string() + "' 2>/dev/null | ppmtoppm 2>/dev/null", &ppm) != 0)
        return "";
    // P6 header: magic, width, height, maxval, each followed by white space.
    std::size_t pos = 0;
    for (int field = 0; field < 4; ++field) {
        while (pos < ppm.size() && std::isspace(static_cast<unsigned char>(ppm[pos]))) ++pos;
        while (pos < ppm.size() && !std::isspace(static_cast<unsigned char>(ppm[pos]))) ++pos;
    }
    return pos < ppm.size() ? ppm.substr(pos + 1) : "";
}

// PIL's RGB bytes of each file, all files in one interpreter run; "" for a file it refuses.
inline std::vector<std::string> PilRgb(const std::vector<std::filesystem::path> &files) {
    std::string script =
        "import sys\nfrom PIL import Image\n"
        "for name in sys.argv[1:]:\n"
        "    try:\n"
        "        data = Image.open(name).convert('RGB').tobytes()\n"
        "    except Exception:\n"
        "        data = b''\n"
        "    open(name + '.rgb', 'wb').write(data)\n";
    std::string command = "/usr/bin/python3 -c \"" + script + "\"";
    for (const auto &f : files) command += " '" + f.string() + "'";
    EXPECT_EQ(0, Run(command + " 2>&1")) << "PIL (python3-pil) must be installed";
    std::vector<std::string> out;
    for (const auto &f : files) {
        std::vector<unsigned char> b = ReadBytes(f.string() + ".rgb");
        out.emplace_back(b.begin(), b.end());
    }
    return out;
}
#endif

}  // namespace imagetest

#endif
