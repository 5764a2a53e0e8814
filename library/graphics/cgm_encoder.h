// The binary encoder of Computer Graphics Metafiles (ISO 8632-3), shared by the recording
// driver (into a fixed-capacity memory buffer) and the CGM file driver (into a file).
//
// How a writer uses it: make a CgmEncoder over a sink, then for every element call Start with
// the element's class and id, add its parameters (Word, Point, Colour, Text, Fixed, Bytes ...)
// and call Finish. Finish chooses the short header (parameter length up to 30) or the long
// form (length word, partitions with the continuation bit), appends the pad byte that keeps
// every element on an even length, and hands the whole element to the sink in one call: the
// sink takes all of it or none, so a refused element never leaves half an element behind.
//
// All 16-bit words are big-endian; negative integers are stored modulo 65536, but a point's
// coordinates are limited to -32768..32767 (cgm_shapes.h writes drawing that reaches beyond
// them clipped, with its shape kept). Precisions are the ones the library's metafiles
// declare: 16-bit integers, indices and VDC points, 8-bit direct colours, reals as 16.16 fixed
// point.
#ifndef QUILL_GRAPHICS_CGM_ENCODER_H
#define QUILL_GRAPHICS_CGM_ENCODER_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace quill {

// Where encoded elements go. Append takes all N bytes and returns true, or takes none and
// returns false.
class CgmSink {
public:
    virtual ~CgmSink() = default;
    virtual bool Append(const unsigned char *bytes, std::size_t n) = 0;
};

// A buffer of fixed capacity that never grows. The last RESERVE bytes are kept back from
// ordinary appends, so that a closing element still fits when the buffer is otherwise full;
// AppendIntoReserve may use them. A capacity the memory cannot give leaves a buffer of
// capacity 0, which refuses every append.
class CgmMemorySink : public CgmSink {
public:
    CgmMemorySink(std::size_t capacity, std::size_t reserve);
    bool Append(const unsigned char *bytes, std::size_t n) override;
    bool AppendIntoReserve(const unsigned char *bytes, std::size_t n);
    const unsigned char *data() const { return data_.get(); }
    std::size_t size() const { return used_; }
    std::size_t capacity() const { return capacity_; }
    // While set, ordinary appends may use the reserve as well.
    void OpenReserve(bool open) { reserve_open_ = open; }

private:
    std::unique_ptr<unsigned char[]> data_;
    std::size_t capacity_, reserve_, used_ = 0;
    bool reserve_open_ = false;
};

// Element classes and ids written by the library's drivers.
namespace cgm {
struct Id {
    int cls, id;
};
constexpr Id kBeginMetafile{0, 1}, kEndMetafile{0, 2}, kBeginPicture{0, 3}, kBeginPictureBody{0, 4},
    kEndPicture{0, 5};
constexpr Id kMetafileVersion{1, 1}, kMetafileDescription{1, 2}, kVdcType{1, 3},
    kIntegerPrecision{1, 4}, kRealPrecision{1, 5}, kIndexPrecision{1, 6}, kColourPrecision{1, 7},
    kColourValueExtent{1, 10}, kFontList{1, 13};
constexpr Id kColourSelectionMode{2, 2}, kLineWidthMode{2, 3}, kEdgeWidthMode{2, 5},
    kVdcExtent{2, 6};
constexpr Id kVdcIntegerPrecision{3, 1}, kTransparency{3, 4}, kClipRectangle{3, 5},
    kClipIndicator{3, 6};
constexpr Id kPolyline{4, 1}, kText{4, 4}, kRestrictedText{4, 5}, kPolygon{4, 7}, kCellArray{4, 9},
    kRectangle{4, 11}, kEllipse{4, 17};
constexpr Id kLineType{5, 2}, kLineWidth{5, 3}, kLineColour{5, 4}, kTextFontIndex{5, 10},
    kTextColour{5, 14}, kCharacterHeight{5, 15}, kCharacterOrientation{5, 16},
    kTextAlignment{5, 18}, kInteriorStyle{5, 22}, kFillColour{5, 23}, kEdgeType{5, 27},
    kEdgeWidth{5, 28}, kEdgeColour{5, 29}, kEdgeVisibility{5, 30}, kFillReferencePoint{5, 31},
    kLineCap{5, 37}, kLineJoin{5, 38}, kInterpolatedInterior{5, 43};
constexpr Id kAuxiliaryColour{3, 3};
}  // namespace cgm

class CgmEncoder {
public:
    // The largest partition of a long-form element; partitions other than the last have an
    // even length, so every partition header stays on a word boundary.
    static constexpr std::size_t kMaxPartition = 32766;
    // The longest string a count byte can announce (255 starts a long string).
    static constexpr std::size_t kMaxString = 254;

    explicit CgmEncoder(CgmSink *sink);

    // Begins an element; parameters added before the next Finish belong to it.
    void Start(int cls, int id);
    void Start(cgm::Id e) { Start(e.cls, e.id); }
    // A 16-bit integer (stored modulo 65536).
    void Word(int v) {
        buf_.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
        buf_.push_back(static_cast<unsigned char>(v & 0xFF));
    }
    // A point of VDC: each coordinate limited to -32768..32767, never stored cut to 16 bits.
    void Point(int x, int y) {
        Word(x < -32768 ? -32768 : x > 32767 ? 32767 : x);
        Word(y < -32768 ? -32768 : y > 32767 ? 32767 : y);
    }
    void Byte(int b) { buf_.push_back(static_cast<unsigned char>(b & 0xFF)); }
    void Colour(int r, int g, int b) {
        Byte(r);
        Byte(g);
        Byte(b);
    }
    // A real as 16.16 fixed point: the whole part (floor) as a signed 16-bit word, then the
    // fraction in 1/65536.
    void Fixed(double v);
    // A counted string: count byte and characters, cut to kMaxString characters.
    void Text(const char *text, std::size_t n);
    void Text(const std::string &s) { Text(s.data(), s.size()); }
    void Bytes(const unsigned char *bytes, std::size_t n) {
        buf_.insert(buf_.end(), bytes, bytes + n);
    }
    // Room for N more parameter bytes without reallocation (for long point lists).
    void Reserve(std::size_t n) { buf_.reserve(buf_.size() + n); }
    // Parameter bytes added since Start.
    std::size_t ParameterLength() const { return buf_.size() - kHeaderRoom; }

    // Encodes the element with partitions of at most MAXPARTITION bytes and hands it to the
    // sink; false when the sink refused it.
    bool Finish(std::size_t maxpartition = kMaxPartition);
    // An element without parameters.
    bool Empty(cgm::Id e) {
        Start(e);
        return Finish();
    }
    // An element of one 16-bit integer (enumerations, indices, precisions).
    bool OneWord(cgm::Id e, int v) {
        Start(e);
        Word(v);
        return Finish();
    }
    // An element of one direct colour.
    bool OneColour(cgm::Id e, int r, int g, int b) {
        Start(e);
        Colour(r, g, b);
        return Finish();
    }

    CgmSink *sink() const { return sink_; }

private:
    static constexpr std::size_t kHeaderRoom = 4;
    CgmSink *sink_;
    int cls_ = 0, id_ = 0;
    std::vector<unsigned char> buf_;  // kHeaderRoom bytes for the header, then the parameters
    std::vector<unsigned char> out_;  // a partitioned element being put together
};

// The description elements that open a metafile, in order: BEGIN METAFILE with TITLE,
// METAFILE VERSION 1, METAFILE DESCRIPTION, VDC TYPE integer, INTEGER PRECISION 16, REAL
// PRECISION fixed 16.16, INDEX PRECISION 16, FONT LIST (the names as uncounted-padding strings
// in one long-form partition), COLOUR PRECISION 8 and COLOUR VALUE EXTENT 0..255. Returns
// false when the sink refused an element.
bool CgmBeginMetafile(CgmEncoder &enc, const std::string &title, const std::string &description,
                      const char *const *fonts, int nfonts);

// The elements that open a picture: BEGIN PICTURE with NAME, absolute line and edge widths,
// direct colour selection, VDC INTEGER PRECISION 16, VDC EXTENT (0, 0) to (WIDTH, HEIGHT),
// BEGIN PICTURE BODY and TEXT ALIGNMENT left, base.
bool CgmBeginPicture(CgmEncoder &enc, const std::string &name, int width, int height);

// The sixteen font names of the library's metafiles, in font-index order.
extern const char *const kCgmFontNames[16];

}  // namespace quill

#endif
