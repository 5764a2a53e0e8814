// The grid text file's field writer and field scanner, without a window system: quoting,
// line ends, refills at every buffer size, failing reads and writes, hostile bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "grid/grid_file.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct Scan {
    Rows rows;
    GridScanEnd end;
};

// Scans TEXT in blocks of SIZE bytes; every field lands in its line's row.
Scan ScanText(const std::string &text, std::size_t size, std::size_t keep = 1u << 20) {
    Scan scan;
    std::size_t at = 0;
    bool newLine = true;
    GridFileRead read = [&](char *bytes, std::size_t count) -> long long {
        EXPECT_LE(count, size);
        std::size_t n = std::min(count, text.size() - at);
        text.copy(bytes, n, at);
        at += n;
        return static_cast<long long>(n);
    };
    scan.end = quill::ScanGridFields(static_cast<long long>(text.size()), size, keep, read,
                                     [&](const std::string &field, bool end) {
                                         if (newLine) scan.rows.emplace_back();
                                         scan.rows.back().push_back(field);
                                         newLine = end;
                                         return GridFieldNext::kGoOn;
                                     });
    return scan;
}

const std::vector<std::size_t> &BufferSizes() {
    static const std::vector<std::size_t> sizes = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                   10, 11, 12, 13, 14, 15, 16, 17, 65000};
    return sizes;
}

// Scans TEXT at every buffer size and checks that all give the same fields.
Scan ScanEverySize(const std::string &text) {
    Scan first = ScanText(text, BufferSizes()[0]);
    for (std::size_t size : BufferSizes()) {
        Scan other = ScanText(text, size);
        EXPECT_EQ(other.rows, first.rows) << "buffer of " << size << " bytes";
        EXPECT_EQ(other.end, first.end) << "buffer of " << size << " bytes";
    }
    return first;
}

std::string Write(const Rows &rows, std::size_t size) {
    std::string out;
    GridFieldWriter writer(size, [&](const char *bytes, std::size_t count) {
        EXPECT_LE(count, size);
        out.append(bytes, count);
        return true;
    });
    for (const auto &row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) {
            writer.Quoted(row[c].data(), row[c].size());
            writer.Separator(c + 1 == row.size());
        }
    EXPECT_TRUE(writer.Finish());
    return out;
}

TEST(GridFileWriter, FieldsQuotesAndSeparatorsAtEveryBufferSize) {
    std::string expected = "\"say \"\"hi\"\"\",42,1.5000,Yes,\"B\"\r\n\"\",,,No,\r\n";
    for (std::size_t size : BufferSizes()) {
        std::string out;
        GridFieldWriter writer(size, [&](const char *bytes, std::size_t count) {
            out.append(bytes, count);
            return true;
        });
        writer.Quoted("say \"hi\"", 8);
        writer.Separator(false);
        writer.Plain("42", 2);
        writer.Separator(false);
        writer.Plain("1.5000", 6);
        writer.Separator(false);
        writer.Plain("Yes", 3);
        writer.Separator(false);
        writer.Quoted("B", 1);
        writer.Separator(true);
        writer.Quoted("", 0);
        writer.Separator(false);
        writer.Separator(false);
        writer.Separator(false);
        writer.Plain("No", 2);
        writer.Separator(false);
        writer.Separator(true);
        ASSERT_TRUE(writer.Finish());
        EXPECT_EQ(out, expected) << "buffer of " << size << " bytes";
    }
}

TEST(GridFileWriter, LongTextsAreWrittenWholeAndReadBack) {
    // Quotes to double in a text longer than any buffer, and a plain field beyond 65,000.
    std::string quotes(64998, '"'), plain(70000, '7');
    Rows rows = {{quotes, plain}, {"a,b\r\nc", ""}};
    std::string small = Write(rows, 17), large = Write(rows, 65000);
    EXPECT_EQ(small, large);
    EXPECT_EQ(small.size(), (2 + 2 * quotes.size()) + 1 + (2 + plain.size()) + 2 + 8 + 1 + 2 + 2);
    Scan scan = ScanText(small, 4096);
    EXPECT_EQ(scan.end, GridScanEnd::kComplete);
    EXPECT_EQ(scan.rows, rows);
}

TEST(GridFileWriter, AFailedWriteStopsTheWriting) {
    int calls = 0;
    GridFieldWriter writer(4, [&](const char *, std::size_t) { return ++calls < 2; });
    for (int i = 0; i < 10; ++i) writer.Plain("abcdef", 6);
    EXPECT_TRUE(writer.Failed());
    EXPECT_FALSE(writer.Finish());
    EXPECT_EQ(calls, 2) << "nothing is written after the failure";
}

TEST(GridFileScanner, QuotingLineEndsAndBlanks) {
    struct Case {
        std::string text;
        Rows rows;
    } cases[] = {
        {"\"say \"\"hi\"\"\",42,1.5000,Yes,\"B\"\r\n\"\",,,No,\r\n",
         {{"say \"hi\"", "42", "1.5000", "Yes", "B"}, {"", "", "", "No", ""}}},
        // LF alone ends lines as CR LF does.
        {"a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        // Commas, CR and LF inside quotes belong to the field.
        {"\"x,y\",\"1\r\n2\"\r\nz\n", {{"x,y", "1\r\n2"}, {"z"}}},
        // Quotes count only in a field that begins with one.
        {"ab\"c,d\"\"e\n", {{"ab\"c", "d\"\"e"}}},
        // A CR anywhere but before the line's end is a character of the field.
        {"a\rb,c\r\r\n", {{"a\rb", "c\r"}}},
        // Trailing blanks go, inside quotes too; leading blanks stay.
        {"  a  ,\"b  \"\n", {{"  a", "b"}}},
        // A last line without a line feed counts; so does a last field after a comma.
        {"a,b\nc,", {{"a", "b"}, {"c", ""}}},
        {"\"q\"", {{"q"}}},
        // Empty lines are rows of one empty field.
        {"\n\r\n", {{""}, {""}}},
        // Text after a closing quote stays in the field.
        {"\"a\"b,\"\"\"\"\n", {{"a\"b", "\""}}},
        {"", {}},
    };
    for (const Case &c : cases) {
        Scan scan = ScanEverySize(c.text);
        EXPECT_EQ(scan.end, GridScanEnd::kComplete) << c.text;
        EXPECT_EQ(scan.rows, c.rows) << c.text;
    }
}

TEST(GridFileScanner, OpenQuotesShortReadsAndFailures) {
    // A lone quote opens a text that the file never closes: the lines before it stay.
    Scan open = ScanEverySize("a,b\n\",c\nd\n");
    EXPECT_EQ(open.end, GridScanEnd::kOpenQuotes);
    EXPECT_EQ(open.rows, (Rows{{"a", "b"}}));

    std::string text = "a,b\nc,d\n";
    int reads = 0;
    auto sink = [](const std::string &, bool) { return GridFieldNext::kGoOn; };
    GridScanEnd end = quill::ScanGridFields(
        static_cast<long long>(text.size()) + 5, 4, 100,
        [&](char *bytes, std::size_t count) -> long long {
            std::size_t n = std::min(
                count, text.size() - std::min(text.size(), static_cast<std::size_t>(reads) * 4));
            text.copy(bytes, n, static_cast<std::size_t>(reads++) * 4);
            return static_cast<long long>(n);
        },
        sink);
    EXPECT_EQ(end, GridScanEnd::kShortRead) << "the file held fewer bytes than its length";
    end = quill::ScanGridFields(
        10, 4, 100, [](char *, std::size_t) -> long long { return -1; }, sink);
    EXPECT_EQ(end, GridScanEnd::kReadFailed);
}

TEST(GridFileScanner, SkippingTheRestOfALineAndStopping) {
    // The sink takes two fields a line and passes over the rest, quoted line ends included.
    std::string text = "a,b,\"x\ny\",z\nc,d,e\nf\n";
    for (std::size_t size : BufferSizes()) {
        std::size_t at = 0;
        Rows rows(1);
        GridScanEnd end = quill::ScanGridFields(
            static_cast<long long>(text.size()), size, 100,
            [&](char *bytes, std::size_t count) -> long long {
                std::size_t n = std::min(count, text.size() - at);
                text.copy(bytes, n, at);
                at += n;
                return static_cast<long long>(n);
            },
            [&](const std::string &field, bool endOfLine) {
                if (field == "f") return GridFieldNext::kStop;
                rows.back().push_back(field);
                if (endOfLine || rows.back().size() == 2) {
                    rows.emplace_back();
                    return endOfLine ? GridFieldNext::kGoOn : GridFieldNext::kSkipLine;
                }
                return GridFieldNext::kGoOn;
            });
        EXPECT_EQ(end, GridScanEnd::kStopped);
        EXPECT_EQ(rows, (Rows{{"a", "b"}, {"c", "d"}, {}})) << "buffer of " << size << " bytes";
    }
}

TEST(GridFileScanner, HugeFieldsKeepTheirStartAndTheRestGoesOn) {
    std::string huge(1 << 20, 'x');
    std::string text = "\"" + huge + "\"\"\"," + huge + "\nnext\n";
    Scan scan = ScanText(text, 7, 100);
    EXPECT_EQ(scan.end, GridScanEnd::kComplete);
    ASSERT_EQ(scan.rows.size(), 2u);
    EXPECT_EQ(scan.rows[0][0], std::string(99, 'x')) << "the kept bytes without the opening quote";
    EXPECT_EQ(scan.rows[0][1], std::string(100, 'x'));
    EXPECT_EQ(scan.rows[1], std::vector<std::string>{"next"});
}

TEST(GridFileScanner, FieldsThatFillTheLimitExactlyReadAlikeWithEitherLineEnd) {
    // Fields of exactly KEEP bytes as they stand in the file, enclosing quotes included.
    const std::size_t keep = 12;
    const std::string quoted = "\"" + std::string(10, 'q') + "\"", quotes(12, '"'), plain(12, 'p');
    ASSERT_EQ(quoted.size(), keep);
    for (const std::string &field : {quoted, quotes, plain}) {
        for (std::size_t size : {std::size_t{1}, std::size_t{5}, std::size_t{12}, std::size_t{13},
                                 std::size_t{4096}}) {
            Scan lf = ScanText(field + "\nnext\n", size, keep);
            Scan crlf = ScanText(field + "\r\nnext\r\n", size, keep);
            Scan last = ScanText("a," + field + "\r\n", size, keep);
            EXPECT_EQ(crlf.rows, lf.rows) << field << ", buffer of " << size << " bytes";
            EXPECT_EQ(last.rows, (Rows{{"a", lf.rows[0][0]}})) << field << " as the last column";
        }
    }
    EXPECT_EQ(ScanText(quoted + "\r\n", 4096, keep).rows, (Rows{{std::string(10, 'q')}}));
    EXPECT_EQ(ScanText(quotes + "\r\n", 4096, keep).rows, (Rows{{std::string(5, '"')}}));
    EXPECT_EQ(ScanText(plain + "\r\n", 4096, keep).rows, (Rows{{plain}}));

    // A CR beyond the limit that does not end the line is a byte passed over: the field is
    // cut and keeps its start, as any longer field does.
    EXPECT_EQ(ScanText(quoted + "\r,b\n", 4096, keep).rows,
              (Rows{{std::string(10, 'q') + "\"", "b"}}));
    EXPECT_EQ(ScanText(plain + "\rx\r\n", 4096, keep).rows, (Rows{{plain}}));
    EXPECT_EQ(ScanText("\"" + std::string(10, 'q') + "\r\n\"\n", 4096, keep).rows,
              (Rows{{std::string(10, 'q') + "\r"}}))
        << "an LF inside quotes beyond the limit is passed over";
}

TEST(GridFileScanner, RoundTripsAndRandomBytes) {
    std::mt19937 random(19);
    const std::string alphabet("ab ,\"\r\n\t\0x", 11);
    for (int trial = 0; trial < 200; ++trial) {
        Rows rows(static_cast<std::size_t>(1 + random() % 5));
        std::size_t columns = 1 + random() % 4;
        for (auto &row : rows)
            for (std::size_t c = 0; c < columns; ++c) {
                std::string text;
                for (int n = static_cast<int>(random() % 12); n > 0; --n)
                    text += alphabet[random() % alphabet.size()];
                // The reader removes trailing blanks: the texts a grid keeps have none.
                while (!text.empty() && text.back() == ' ') text.pop_back();
                row.push_back(text);
            }
        std::string file = Write(rows, 1 + random() % 17);
        Scan scan = ScanEverySize(file);
        EXPECT_EQ(scan.end, GridScanEnd::kComplete);
        EXPECT_EQ(scan.rows, rows);
    }
    // Random bytes: every buffer size agrees and nothing is read out of bounds.
    for (int trial = 0; trial < 200; ++trial) {
        std::string bytes;
        for (int n = static_cast<int>(random() % 200); n > 0; --n)
            bytes += random() % 3 ? alphabet[random() % alphabet.size()]
                                  : static_cast<char>(random() % 256);
        ScanEverySize(bytes);
    }
}

}  // namespace
