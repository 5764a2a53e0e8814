#include "cgm_walker.h"

#include <sstream>

std::string CgmElement::Text(std::size_t i) const {
    if (i >= params.size()) return "";
    std::size_t n = params[i];
    if (i + 1 + n > params.size()) n = params.size() - i - 1;
    return std::string(params.begin() + i + 1, params.begin() + i + 1 + n);
}

std::vector<std::pair<int, int>> CgmElement::Points(std::size_t from) const {
    std::vector<std::pair<int, int>> out;
    for (std::size_t i = from; i + 4 <= params.size(); i += 4)
        out.emplace_back(SignedWord(i), SignedWord(i + 2));
    return out;
}

std::vector<const CgmElement *> CgmWalk::All(int cls, int id) const {
    std::vector<const CgmElement *> out;
    for (const auto &e : elements)
        if (e.Is(cls, id)) out.push_back(&e);
    return out;
}

std::vector<const CgmElement *> CgmWalk::Polygons(bool interpolated) const {
    std::vector<const CgmElement *> out;
    int style = 0;
    for (const auto &e : elements) {
        if (e.Is(5, 22) && e.params.size() >= 2) style = e.Word(0);
        if (e.Is(4, 7) && (style == 6) == interpolated) out.push_back(&e);
    }
    return out;
}

CgmWalk WalkCgm(const unsigned char *b, std::size_t n) {
    CgmWalk w;
    std::size_t pos = 0;
    auto fail = [&](std::size_t at, const std::string &what) {
        std::ostringstream s;
        s << what << " at byte " << at;
        w.error = s.str();
    };
    while (pos < n) {
        if (pos & 1) return fail(pos, "element on an odd offset"), w;
        if (n - pos < 2) return fail(pos, "incomplete header"), w;
        CgmElement e;
        e.offset = pos;
        int head = b[pos] << 8 | b[pos + 1];
        e.cls = head >> 12;
        e.id = (head >> 5) & 127;
        std::size_t len = head & 31;
        pos += 2;
        if (len < 31) {
            if (n - pos < len) return fail(e.offset, "parameters past the end"), w;
            e.params.assign(b + pos, b + pos + len);
            pos += len + (len & 1);
        } else {
            e.longForm = true;
            bool more = true;
            while (more) {
                if (n - pos < 2) return fail(pos, "incomplete partition header"), w;
                int word = b[pos] << 8 | b[pos + 1];
                pos += 2;
                more = (word & 0x8000) != 0;
                std::size_t part = word & 0x7FFF;
                ++e.partitions;
                if (n - pos < part) return fail(e.offset, "partition past the end"), w;
                if (more && (part & 1)) return fail(e.offset, "odd partition before the last"), w;
                e.params.insert(e.params.end(), b + pos, b + pos + part);
                pos += part + (part & 1);
            }
        }
        if (pos > n) return fail(e.offset, "pad byte past the end"), w;
        e.size = pos - e.offset;
        w.elements.push_back(std::move(e));
    }
    return w;
}

CgmWalk WalkCgm(const std::vector<unsigned char> &bytes) {
    return WalkCgm(bytes.data(), bytes.size());
}

std::string CheckCgmStructure(const CgmWalk &walk) {
    if (!walk.error.empty()) return walk.error;
    const auto &el = walk.elements;
    if (el.empty() || !el.front().Is(0, 1)) return "no BEGIN METAFILE first";
    if (!el.back().Is(0, 2)) return "no END METAFILE last";
    enum { kOutside, kPicture, kBody } state = kOutside;
    for (std::size_t i = 1; i + 1 < el.size(); ++i) {
        const CgmElement &e = el[i];
        std::ostringstream where;
        where << " (element " << i << ", class " << e.cls << " id " << e.id << ")";
        if (e.Is(0, 1) || e.Is(0, 2)) return "metafile delimiter inside the metafile" + where.str();
        if (e.Is(0, 3)) {
            if (state != kOutside) return "BEGIN PICTURE inside a picture" + where.str();
            state = kPicture;
        } else if (e.Is(0, 4)) {
            if (state != kPicture) return "BEGIN PICTURE BODY outside a picture" + where.str();
            state = kBody;
        } else if (e.Is(0, 5)) {
            if (state != kBody) return "END PICTURE without a body" + where.str();
            state = kOutside;
        } else if (e.cls == 3 && state == kOutside) {
            return "control element outside a picture" + where.str();
        } else if (e.cls >= 4 && state != kBody) {
            return "drawing element outside a picture body" + where.str();
        } else if (e.cls == 2 && state != kPicture) {
            return "picture descriptor outside a picture" + where.str();
        } else if (e.cls == 1 && state != kOutside) {
            return "metafile descriptor inside a picture" + where.str();
        }
    }
    if (state != kOutside) return "picture not ended";
    return "";
}
