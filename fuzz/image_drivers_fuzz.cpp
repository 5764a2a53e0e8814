// Image files from outside drawn by the drivers that read the pixels themselves (driver op
// 38): the PostScript and CGM file drivers and the image file driver's memory raster. Each
// input is the image file; it is drawn once on each driver into a plot file of its own.
#include <cstdio>
#include <string>

#include "fuzz_input.h"
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "graphics/palette.h"
#include "hardcopy/hardcopy_state.h"
#include "hardcopy/image_read.h"
#include "quillamorph/hardcopy.h"

namespace {

void Draw(int device, const std::string &image, const std::string &plot) {
    const int one = 1;
    igrhardcopyselect_(&one, &device);
    if (device == kDeviceImageFile) {
        // A small raster: the picture is sampled over every raster pixel of the clip.
        const int width = 1, height = 2, size = 64;
        igrhardcopyoptions_(&width, &size);
        igrhardcopyoptions_(&height, &size);
    }
    igrhardcopy_(plot.c_str(), nullptr, static_cast<int>(plot.size()), 0);
    gGraphics.cx1 = 10, gGraphics.cy1 = 20, gGraphics.cx2 = 900, gGraphics.cy2 = 600;
    quill::SendOp(kOpClip, kSideHardcopy);
    quill::SetText(image.data(), image.size());
    quill::SendOp(kOpImage, kSideHardcopy);
    igrhardcopy_("S", nullptr, 1, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    // A picture of many pixels takes long to write out and finds nothing a small one does not:
    // the decoders' own limits are fuzzed by the other inputs.
    quill::ImagePixels picture;
    int zstatus = 0;
    if (quill::DecodeImage(data, size, picture, &zstatus) == quill::kImageOk &&
        static_cast<std::uint64_t>(picture.width) * static_cast<std::uint64_t>(picture.height) >
            (1u << 16))
        return 0;
    static bool started = false;
    if (!started) {
        gGraphics = quill::DefaultGraphicsState();
        gHardcopy = quill::DefaultHardcopyState();
        int kind = gGraphics.kind, id = gGraphics.id, w = 1000, h = 700;
        yyresn_(&kind, &id, &w, &h);
        yypali_();
        started = true;
    }
    const std::string image = fuzz::ScratchFile(data, size, ".img");
    if (image.empty()) return 0;
    const std::string plot = image + ".out";
    for (int device : {kDevicePostScript, kDeviceCgm, kDeviceImageFile}) Draw(device, image, plot);
    std::remove(image.c_str());
    std::remove(plot.c_str());
    return 0;
}
