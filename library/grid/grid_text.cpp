// The grid control's portable work. See grid_text.h.
#include "grid/grid_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <utility>

#include "base/conversion.h"
#include "base/strings.h"
#include "core/dialog_attributes.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one number of the data line (blanks before it skipped) and moves behind it, never
// past the line's end.
int ReadNumber(const char *&p) {
    while (IsBlank(*p)) ++p;
    int value = yyAsciiToInt(p);
    while (*p && !IsBlank(*p) && *p != '\n' && *p != '\r') ++p;
    return value;
}

// Start of the next line, or the terminating NUL.
const char *NextLine(const char *p) {
    while (*p && *p != '\n') ++p;
    return *p ? p + 1 : p;
}

}  // namespace

GridEntry quill::ReadGridEntry(const char *text, bool width, bool labels) {
    GridEntry entry;
    if (!text) return entry;
    const char *p = text;
    entry.columns = ReadNumber(p);
    entry.rows = ReadNumber(p);
    entry.templateId = ReadNumber(p);
    if (!width) return entry;

    // The label width stands on the next line.
    p = NextLine(p);
    if (!*p) return entry;
    entry.labelWidth = ReadNumber(p);
    const char *used = p;  // behind the last character the grid used
    if (labels) {
        p = NextLine(p);
        for (int i = 0; i < entry.rows && *p; ++i) {
            const char *start = p;
            while (IsBlank(*start)) ++start;
            if (*start == '[' && AttributeHeaderSection(start) != kSectionNone) break;
            std::string label;
            const char *q = p;
            for (; *q && *q != '\n'; ++q)
                if (*q != '\r' && label.size() < static_cast<std::size_t>(kGridLabelChars))
                    label += *q;
            while (!label.empty() && label.back() == ' ') label.pop_back();
            entry.labels.push_back(label);
            used = q;
            p = *q ? q + 1 : q;
        }
    }
    entry.consumed = static_cast<std::size_t>(used - text);
    return entry;
}

int quill::GridFieldType(int type) {
    static const int kTypes[] = {4, 5, 6, 7, 9, 11};
    return type >= 0 && type <= 5 ? kTypes[type] : 0;
}

int quill::GridCellCode(int column, int row) { return (column + 1) * 262144 + row + 1; }

// --- Sort keys ------------------------------------------------------------------------------

GridSortKey quill::GridSortKeyOf(int fieldType, bool present, const std::string &text, double value,
                                 bool upperCase, bool descending) {
    GridSortKey key;
    if (fieldType == 4) {
        if (text.empty()) {
            key.text = descending ? std::string(" ") : std::string(1, static_cast<char>(255));
        } else {
            key.text = text;
            if (upperCase)
                for (char &c : key.text)
                    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        return key;
    }
    key.number = GridNumberKey(fieldType, present, value, descending);
    return key;
}

double quill::GridNumberKey(int fieldType, bool present, double value, bool descending) {
    if (fieldType == 9 || fieldType == 11) return value;
    if (std::isnan(value)) present = false;
    double empty = fieldType == 5   ? 2147483647.0
                   : fieldType == 6 ? static_cast<double>(FLT_MAX)
                                    : DBL_MAX;
    if (!present) return descending ? -empty : empty;
    if (fieldType == 5) return std::trunc(value);
    if (fieldType == 6) return static_cast<double>(static_cast<float>(value));
    return value;
}

int quill::CompareGridSortKeys(const GridSortKey &a, const GridSortKey &b, int fieldType) {
    if (fieldType != 4) return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
    std::size_t n = std::max(a.text.size(), b.text.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = i < a.text.size() ? static_cast<unsigned char>(a.text[i]) : ' ';
        unsigned char y = i < b.text.size() ? static_cast<unsigned char>(b.text[i]) : ' ';
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

std::vector<int> quill::GridSortOrder(const std::vector<GridSortKey> &keys, int fieldType,
                                      bool descending) {
    if (fieldType != 4) {
        std::vector<std::pair<double, int>> pairs(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i)
            pairs[i] = {keys[i].number, static_cast<int>(i)};
        return GridNumberOrder(pairs, descending);
    }
    std::vector<int> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        int c = CompareGridSortKeys(keys[static_cast<std::size_t>(x)],
                                    keys[static_cast<std::size_t>(y)], fieldType);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

std::vector<int> quill::GridNumberOrder(std::vector<std::pair<double, int>> &pairs,
                                        bool descending) {
    // (key, row) pairs are all distinct, so an unstable sort of them keeps rows with equal
    // keys in their order and needs no merge buffer. A descending sort orders the negated
    // keys, which likewise keeps equal keys in order.
    if (descending)
        for (auto &pair : pairs) pair.first = -pair.first;
    std::sort(pairs.begin(), pairs.end());
    std::vector<int> order(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) order[i] = pairs[i].second;
    return order;
}

// --- Clipboard block text -------------------------------------------------------------------

int quill::GridClipboardKind(const char *text, std::size_t size) {
    if (!text) return 0;
    std::size_t n = strnlen(text, size);
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == '\t') return 2;
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') return 2;
    }
    return 1;
}

void quill::GridBlockSize(const char *text, std::size_t size, int *rows, int *columns) {
    *rows = 1;
    *columns = 1;
    if (!text) return;
    std::size_t n = strnlen(text, size);
    int tabs = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == '\t') {
            ++tabs;
            if (tabs + 1 > *columns) *columns = tabs + 1;
        } else if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') {
            tabs = 0;
            if (i + 2 < n) ++*rows;
            ++i;
        }
    }
}

std::vector<GridBlockField> quill::GridBlockFields(const char *text, std::size_t size, int maxRows,
                                                   int maxColumns) {
    std::vector<GridBlockField> fields;
    if (!text) return fields;
    std::size_t n = strnlen(text, size);
    int row = 0, column = 0;
    std::size_t i = 0;
    while (i < n && !(row >= maxRows && column >= maxColumns)) {
        std::size_t start = i;
        while (i < n && text[i] != '\t' && text[i] != '\r') ++i;
        if (row < maxRows && column < maxColumns)
            fields.push_back({row, column, std::string(text + start, i - start)});
        if (i >= n) break;
        if (text[i] == '\t') {
            ++column;
        } else {
            ++row;
            column = 0;
            if (i + 1 < n && text[i + 1] == '\n') ++i;
        }
        ++i;
    }
    return fields;
}

bool quill::GridPasteNumber(const std::string &field, int type, double *value, bool *empty) {
    std::string work = field;
    *empty = false;
    *value = 0.0;
    if (work.find_first_not_of(' ') == std::string::npos) {
        *empty = true;
        return true;
    }
    if (type == 1 || type == 2)
        for (char &c : work)
            if (c == 'D' || c == 'd') c = 'E';
    if (type == 1) {
        if (work.find_first_of("Ee") != std::string::npos) return false;
        std::size_t point = work.find('.');
        if (point != std::string::npos) work.resize(point);
        if (work.find_first_not_of(' ') == std::string::npos) work = "0";
    }
    int ok = 0;
    double v = 0.0;
    yyst2dblcheck_(&v, &ok, work.c_str(), static_cast<int>(work.size()));
    if (!ok) return false;
    *value = type == 1 ? std::trunc(v) : v;
    return true;
}
