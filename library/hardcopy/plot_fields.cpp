#include "hardcopy/plot_fields.h"

#include <cmath>
#include <cstdio>

std::string quill::IntField(long long v, int w) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%*lld", w < 0 ? 0 : w > 40 ? 40 : w, v);
    return buf;
}

std::string quill::FixedField(double v, int w, int d) {
    if (std::isnan(v)) v = 0.0;
    if (v > 1e9) v = 1e9;
    if (v < -1e9) v = -1e9;
    if (d < 0) d = 0;
    if (d > 9) d = 9;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", d, v);
    std::string body = buf;
    if (body[0] == '-' && body.find_first_not_of("-0.") == std::string::npos) body.erase(0, 1);
    if (w > 40) w = 40;
    if (static_cast<int>(body.size()) < w)
        body.insert(0, static_cast<std::size_t>(w) - body.size(), ' ');
    return body;
}

int quill::TruncateClamped(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(v);
}

int quill::RoundToInt(double v) {
    if (std::isnan(v)) return 0;
    return TruncateClamped(v < 0 ? v - 0.5 : v + 0.5);
}

std::string quill::StripBlanks(const std::string &text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
