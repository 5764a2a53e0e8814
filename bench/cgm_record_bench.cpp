// Speed of recording into a metafile slot: 10,000 polylines of 1,000 points sent through the
// recording driver into one recorded picture, against a plain loop that writes the same
// big-endian words into a vector in the same run. Each figure is the best of a few runs.
// Output:
//   recorded bytes=<n> seconds=<t>
//   plain bytes=<n> seconds=<t>
//   cgm_record_ratio <plain time / recorded time>
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "graphics/recording_driver.h"
#include "quillamorph/graphics.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;
const int kLines = 10000, kPoints = 1000, kRuns = 3;

double Seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

double Record(std::size_t *bytes) {
    const int slot = 1, width = 720, height = 720;
    const int capacity = 400 + kLines * (4 + 4 * kPoints + 16) + 64;
    int status = 1;
    std::vector<float> xs(kPoints), ys(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        xs[i] = static_cast<float>(i % 6000);
        ys[i] = static_cast<float>((i * 7) % 6000);
    }
    quill::SetPolygon(xs.data(), ys.data(), kPoints);
    quill::StartRecordedMetafile(&slot, &width, &height, &capacity, &status);
    if (status != 0) return -1;
    gGraphics.kind = kDrawMetafile;
    gGraphics.id = slot;
    gGraphics.recording = 1;
    const int op = kOpPolyline;
    Clock::time_point t0 = Clock::now();
    for (int l = 0; l < kLines; ++l) yygcgm_(&op);
    Clock::time_point t1 = Clock::now();
    int size = 0;
    quill::CopyRecordedMetafile(&slot, nullptr, &size);
    *bytes = static_cast<std::size_t>(size);
    wmetafiledestroy_(&slot);
    return Seconds(t0, t1);
}

double Plain(std::size_t *bytes) {
    std::vector<int> xs(kPoints), ys(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        xs[i] = i % 6000;
        ys[i] = (i * 7) % 6000;
    }
    std::vector<unsigned char> out;
    out.reserve(static_cast<std::size_t>(kLines) * (4 + 4 * kPoints));
    Clock::time_point t0 = Clock::now();
    for (int l = 0; l < kLines; ++l) {
        out.push_back(0x40);
        out.push_back(0x3F);
        out.push_back(static_cast<unsigned char>((4 * kPoints) >> 8));
        out.push_back(static_cast<unsigned char>((4 * kPoints) & 0xFF));
        for (int i = 0; i < kPoints; ++i) {
            out.push_back(static_cast<unsigned char>(xs[i] >> 8));
            out.push_back(static_cast<unsigned char>(xs[i] & 0xFF));
            out.push_back(static_cast<unsigned char>(ys[i] >> 8));
            out.push_back(static_cast<unsigned char>(ys[i] & 0xFF));
        }
    }
    Clock::time_point t1 = Clock::now();
    *bytes = out.size();
    return Seconds(t0, t1);
}

}  // namespace

int main() {
    double rec = 1e30, plain = 1e30;
    std::size_t rb = 0, pb = 0;
    for (int r = 0; r < kRuns; ++r) {
        double t = Record(&rb);
        if (t < 0) {
            std::printf("recording could not be set up\n");
            return 1;
        }
        if (t < rec) rec = t;
        t = Plain(&pb);
        if (t < plain) plain = t;
    }
    std::printf("recorded bytes=%zu seconds=%.4f\n", rb, rec);
    std::printf("plain bytes=%zu seconds=%.4f\n", pb, plain);
    std::printf("cgm_record_ratio %.3f\n", plain / rec);
    return 0;
}
