// The run-time format writer: writes one number by a format text such as "(I11)", "(F8.2)",
// "(G15.5E2)" or "('x=',2F8.2)" into one record, as a formatted internal write does.
//
// Edit descriptors: Iw[.m], Fw.d, Ew.d[Ee], Dw.d, Gw.d[Ee] with repeat counts, nX, Tn, TLn,
// TRn, literals in quotes, nH literals (their characters as written), groups in parentheses,
// ":", SP, SS, S, BN, BZ and the scale factor kP for F, E, D and G (in force until the next
// kP; 0P resets it). A value too large for its field gives asterisks in that field, and so
// does a nonzero value under a scale factor above 100324 whatever the field's width: its
// integer part would be wider than the widest field, and its digits are never worked out.
#ifndef QUILL_BASE_FORMAT_H
#define QUILL_BASE_FORMAT_H

#include <string>

struct FormatValue {
    bool integer;  // true: ivalue is written; false: dvalue
    long long ivalue;
    double dvalue;
};

namespace quill {

// Writes VALUE by FORMAT (FORMAT_LEN characters) into RECORD, at most RECORD_LEN characters
// (not padded). Returns false when the write fails: a format that cannot be read, a
// descriptor of the wrong type for the value, no data descriptor, or a record too short.
bool FormatWrite(const FormatValue &value, const char *format, int format_len, int record_len,
                 std::string &record);

}  // namespace quill

#endif
