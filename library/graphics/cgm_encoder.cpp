// The binary metafile encoder: element headers, partitions and the memory sink.
#include "graphics/cgm_encoder.h"

#include <cmath>
#include <cstring>
#include <new>

namespace quill {

CgmMemorySink::CgmMemorySink(std::size_t capacity, std::size_t reserve)
    : data_(new (std::nothrow) unsigned char[capacity > 0 ? capacity : 1]),
      capacity_(data_ ? capacity : 0),
      reserve_(reserve < capacity_ ? reserve : capacity_) {}

bool CgmMemorySink::Append(const unsigned char *bytes, std::size_t n) {
    if (reserve_open_) return AppendIntoReserve(bytes, n);
    const std::size_t limit = capacity_ - reserve_;
    if (used_ > limit || n > limit - used_) return false;
    std::memcpy(data_.get() + used_, bytes, n);
    used_ += n;
    return true;
}

bool CgmMemorySink::AppendIntoReserve(const unsigned char *bytes, std::size_t n) {
    if (n > capacity_ - used_) return false;
    std::memcpy(data_.get() + used_, bytes, n);
    used_ += n;
    return true;
}

CgmEncoder::CgmEncoder(CgmSink *sink) : sink_(sink) { buf_.resize(kHeaderRoom); }

void CgmEncoder::Start(int cls, int id) {
    cls_ = cls;
    id_ = id;
    buf_.resize(kHeaderRoom);
}

void CgmEncoder::Fixed(double v) {
    double whole = std::floor(v);
    if (!(whole >= -32768)) whole = -32768;  // also NaN
    if (whole > 32767) whole = 32767;
    double frac = v - whole;
    long f = std::isfinite(frac) ? std::lround(frac * 65536.0) : 0;
    if (f < 0) f = 0;
    if (f > 65535) f = 65535;
    Word(static_cast<int>(whole));
    Word(static_cast<int>(f));
}

void CgmEncoder::Text(const char *text, std::size_t n) {
    if (n > kMaxString) n = kMaxString;
    Byte(static_cast<int>(n));
    if (n) buf_.insert(buf_.end(), text, text + n);
}

bool CgmEncoder::Finish(std::size_t maxpartition) {
    const std::size_t len = ParameterLength();
    const unsigned head = static_cast<unsigned>(cls_ & 15) << 12 | static_cast<unsigned>(id_ & 127)
                                                                       << 5;
    if (maxpartition > kMaxPartition) maxpartition = kMaxPartition;
    maxpartition &= ~static_cast<std::size_t>(1);
    if (maxpartition < 2) maxpartition = 2;
    bool ok;
    if (len <= 30) {
        // Short form: the header sits in the last two bytes of the room before the parameters.
        buf_[2] = static_cast<unsigned char>((head | len) >> 8);
        buf_[3] = static_cast<unsigned char>((head | len) & 0xFF);
        if (len & 1) buf_.push_back(0);
        ok = sink_->Append(buf_.data() + 2, buf_.size() - 2);
    } else if (len <= maxpartition) {
        buf_[0] = static_cast<unsigned char>((head | 31) >> 8);
        buf_[1] = static_cast<unsigned char>((head | 31) & 0xFF);
        buf_[2] = static_cast<unsigned char>(len >> 8);
        buf_[3] = static_cast<unsigned char>(len & 0xFF);
        if (len & 1) buf_.push_back(0);
        ok = sink_->Append(buf_.data(), buf_.size());
    } else {
        // Partitioned long form: every partition but the last carries the continuation bit.
        out_.clear();
        out_.reserve(len + 2 * (len / maxpartition + 2) + 2);
        out_.push_back(static_cast<unsigned char>((head | 31) >> 8));
        out_.push_back(static_cast<unsigned char>((head | 31) & 0xFF));
        const unsigned char *p = buf_.data() + kHeaderRoom;
        std::size_t left = len;
        while (left > 0) {
            std::size_t part = left > maxpartition ? maxpartition : left;
            unsigned word = static_cast<unsigned>(part) | (left > part ? 0x8000u : 0u);
            out_.push_back(static_cast<unsigned char>(word >> 8));
            out_.push_back(static_cast<unsigned char>(word & 0xFF));
            out_.insert(out_.end(), p, p + part);
            p += part;
            left -= part;
        }
        if (len & 1) out_.push_back(0);
        ok = sink_->Append(out_.data(), out_.size());
    }
    buf_.resize(kHeaderRoom);
    return ok;
}

const char *const kCgmFontNames[16] = {"Courier New",
                                       "Courier New Bold",
                                       "Courier New Italic",
                                       "Courier New Bold Italic",
                                       "Arial",
                                       "Arial Bold",
                                       "Arial Italic",
                                       "Arial Bold Italic",
                                       "Times New Roman",
                                       "Times New Roman Bold",
                                       "Times New Roman Italic",
                                       "Times New Roman Bold Italic",
                                       "Symbol",
                                       "Symbol Italic",
                                       "Symbol Bold",
                                       "Symbol Bold Italic"};

bool CgmBeginMetafile(CgmEncoder &enc, const std::string &title, const std::string &description,
                      const char *const *fonts, int nfonts) {
    bool ok = true;
    enc.Start(cgm::kBeginMetafile);
    enc.Text(title);
    ok &= enc.Finish();
    ok &= enc.OneWord(cgm::kMetafileVersion, 1);
    enc.Start(cgm::kMetafileDescription);
    enc.Text(description);
    ok &= enc.Finish();
    ok &= enc.OneWord(cgm::kVdcType, 0);
    ok &= enc.OneWord(cgm::kIntegerPrecision, 16);
    enc.Start(cgm::kRealPrecision);
    enc.Word(1);
    enc.Word(16);
    enc.Word(16);
    ok &= enc.Finish();
    ok &= enc.OneWord(cgm::kIndexPrecision, 16);
    enc.Start(cgm::kFontList);
    for (int i = 0; i < nfonts; ++i) enc.Text(fonts[i], std::strlen(fonts[i]));
    ok &= enc.Finish();
    enc.Start(cgm::kColourPrecision);
    enc.Word(8);
    ok &= enc.Finish();
    enc.Start(cgm::kColourValueExtent);
    enc.Colour(0, 0, 0);
    enc.Colour(255, 255, 255);
    ok &= enc.Finish();
    return ok;
}

bool CgmBeginPicture(CgmEncoder &enc, const std::string &name, int width, int height) {
    bool ok = true;
    enc.Start(cgm::kBeginPicture);
    enc.Text(name);
    ok &= enc.Finish();
    ok &= enc.OneWord(cgm::kLineWidthMode, 0);
    ok &= enc.OneWord(cgm::kEdgeWidthMode, 0);
    ok &= enc.OneWord(cgm::kColourSelectionMode, 1);
    ok &= enc.OneWord(cgm::kVdcIntegerPrecision, 16);
    enc.Start(cgm::kVdcExtent);
    enc.Point(0, 0);
    enc.Point(width, height);
    ok &= enc.Finish();
    ok &= enc.Empty(cgm::kBeginPictureBody);
    enc.Start(cgm::kTextAlignment);
    enc.Word(1);
    enc.Word(5);
    enc.Fixed(0);
    enc.Fixed(0);
    ok &= enc.Finish();
    return ok;
}

}  // namespace quill
