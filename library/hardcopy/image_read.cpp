// The public image reader: a BMP, PCX or PNG file as an array of RGB values, through the one
// decoder of each format.
#include "hardcopy/image_read.h"

#include "base/errors.h"
#include "base/fixedtext.h"
#include "quillamorph/imagefiles.h"

#include <algorithm>

namespace quill {

std::string ImageFileName(const char *filename, int filename_len) {
    std::string name = TrimmedText(filename, filename_len);
    std::size_t first = name.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : name.substr(first);
}

int DecodeImage(const unsigned char *data, std::size_t size, ImagePixels &image, int *zstatus) {
    switch (DetectFileType(data, size)) {
    case 1: return DecodeBmp(data, size, image);
    case 2: return DecodePcx(data, size, image);
    case 15: return DecodePng(data, size, image, zstatus);
    default: return kImageInvalid;
    }
}

int LoadImageFile(const std::string &path, ImagePixels &image, int *oserror) {
    std::vector<unsigned char> data;
    *oserror = 0;
    int status = ReadImageFile(path, data, oserror);
    if (status != kImageOk) return status;
    return DecodeImage(data.data(), data.size(), image, oserror);
}

int LoadImageData(const std::string &path, int *idata, std::size_t capacity, int *oserror) {
    ImagePixels image;
    int status = LoadImageFile(path, image, oserror);
    if (status != kImageOk) return status;
    std::size_t w = static_cast<std::size_t>(image.width);
    if (w * static_cast<std::size_t>(image.height) > capacity) return kImageShort;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            idata[static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)] =
                static_cast<int>(image.Rgb(x, y));
    return kImageOk;
}

int ReadImageForDrivers(const char *name, int name_len, int nx, int ny, int *pixels, int *oserror) {
    *oserror = 0;
    std::string path = ImageFileName(name, name_len);
    if (path.empty()) return kImageOpen;
    if (nx <= 0 || ny <= 0) return kImageShort;
    ImagePixels image;
    int status = LoadImageFile(path, image, oserror);
    if (status != kImageOk) return status;
    if (image.width > nx || image.height > ny) return kImageShort;
    const std::size_t row = static_cast<std::size_t>(nx);
    std::fill(pixels, pixels + row * static_cast<std::size_t>(ny), 0xFFFFFF);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            pixels[static_cast<std::size_t>(y) * row + static_cast<std::size_t>(x)] =
                static_cast<int>(image.Rgb(x, y));
    return kImageOk;
}

void RaiseImageStatus(int status, int oserror) {
    if (status == kImageOk) return;
    if (status == kImageOpen || status == kImageShort) SetFileError(oserror);
    if (status == kImageZlib) SetSystemError(oserror);
    RaiseError(status);
}

}  // namespace quill

void igrloadimagedata_(const char *filename, int *idata, int filename_len) {
    std::string path = quill::ImageFileName(filename, filename_len);
    // The caller sized the array by the header's width and height, which are the picture's.
    int oserror = 0;
    int status = path.empty()
                     ? quill::kImageOpen
                     : quill::LoadImageData(path, idata, static_cast<std::size_t>(-1), &oserror);
    quill::RaiseImageStatus(status, oserror);
}
