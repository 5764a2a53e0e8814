// A reader of binary metafiles (ISO 8632-3) for the tests: splits the bytes into elements,
// joins long-form partitions, and checks the structure the library's writers promise.
#ifndef TESTS_SUPPORT_CGM_WALKER_H
#define TESTS_SUPPORT_CGM_WALKER_H

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

struct CgmElement {
    int cls = 0, id = 0;
    std::size_t offset = 0;  // where the element's header starts
    std::size_t size = 0;    // bytes taken, headers and pad included
    bool longForm = false;
    int partitions = 0;                 // long form: how many partition headers
    std::vector<unsigned char> params;  // the parameters, partitions joined, pad not included

    // The 16-bit word at parameter byte I, as unsigned and as signed.
    int Word(std::size_t i) const { return params[i] << 8 | params[i + 1]; }
    int SignedWord(std::size_t i) const { return static_cast<short>(Word(i)); }
    // The counted string at parameter byte I.
    std::string Text(std::size_t i) const;
    // The points (signed x, y word pairs) from parameter byte FROM to the end.
    std::vector<std::pair<int, int>> Points(std::size_t from = 0) const;
    bool Is(int c, int d) const { return cls == c && id == d; }
};

struct CgmWalk {
    std::vector<CgmElement> elements;
    std::string error;  // empty when every element was complete and well formed

    // The elements of one class and id.
    std::vector<const CgmElement *> All(int cls, int id) const;
    std::size_t Count(int cls, int id) const { return All(cls, id).size(); }
    // The POLYGON elements drawn in interior style 6 (interpolated), and those drawn in any
    // other style (the solid pieces that stand in for a gradient included).
    std::vector<const CgmElement *> Polygons(bool interpolated) const;
};

// Reads BYTES element by element: every header complete, every length inside the data,
// every element starting on an even offset, partitions chained by the continuation bit.
CgmWalk WalkCgm(const unsigned char *bytes, std::size_t n);
CgmWalk WalkCgm(const std::vector<unsigned char> &bytes);

// Checks the whole-metafile structure: the walk has no error, BEGIN METAFILE first, END
// METAFILE last and nowhere else, pictures opened, given a body and closed in order, and no
// drawing element outside a picture body. Returns "" when all holds, else what failed.
std::string CheckCgmStructure(const CgmWalk &walk);

#endif
