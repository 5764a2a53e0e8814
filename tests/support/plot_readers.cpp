// Readers of plot files and the hardcopy test fixture.
#include "plot_readers.h"

#include "graphics/driver_protocol.h"
#include "graphics/figure_fill.h"
#include "graphics/gradient_fill.h"
#include "graphics/graphics_state.h"
#include "hardcopy/hardcopy_state.h"
#include "quillamorph/errors.h"
#include "quillamorph/hardcopy.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#include <process.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// The script as one argument of a Windows command line: quotes escaped.
std::string Quoted(const std::string &script) {
    std::string quoted = "\"";
    for (char c : script) {
        if (c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Slurp(const std::string &unixPath) {
    std::string windows = "Z:" + unixPath;
    for (char &c : windows)
        if (c == '/') c = '\\';
    std::string text = ReadWholeFile(windows);
    DeleteFileA(windows.c_str());
    return text;
}

// Wine's own export that names the Unix file behind a Windows path.
std::string WineUnixName(const std::wstring &path) {
    typedef char *(CDECL * UnixName)(LPCWSTR);
    static UnixName unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) return "";
    char *name = unixName(path.c_str());
    if (name == nullptr) return "";
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

}  // namespace

std::string ReaderPath(const std::filesystem::path &path) {
    std::string name = WineUnixName(std::filesystem::absolute(path).wstring());
    return name.empty() ? path.string() : name;
}

ReaderRun RunReader(const std::string &command) {
    // Under Wine a Unix program starts from its Unix path, but the process it becomes can be
    // neither waited for nor read through a pipe: the shell writes the output into one file and
    // then the exit status into another, whose appearance ends the wait.
    ReaderRun run;
    static std::atomic<int> serial{0};
    std::string base =
        "/tmp/quill-reader-" + std::to_string(_getpid()) + "-" + std::to_string(++serial);
    std::string script = "(" + command + ") >'" + base + ".out' 2>&1; echo $? >'" + base +
                         ".tmp'; mv '" + base + ".tmp' '" + base + ".status'";
    std::string line = "/bin/sh -c " + Quoted(script);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return run;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string status = "Z:" + base + ".status";
    for (char &c : status)
        if (c == '/') c = '\\';
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(600);
    while (GetFileAttributesA(status.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (std::chrono::steady_clock::now() > end) return run;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    run.status = std::atoi(Slurp(base + ".status").c_str());
    run.output = Slurp(base + ".out");
    return run;
}

#else
std::string ReaderPath(const std::filesystem::path &path) { return path.string(); }

ReaderRun RunReader(const std::string &command) {
    ReaderRun run;
    std::string line = command + " 2>&1";
    FILE *pipe = popen(line.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
#endif

std::string ReadWholeFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SplitLines(const std::string &text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
            lines.push_back(line);
            line.clear();
            ++k;
        } else {
            line += text[k];
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool Picture::Dark(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const unsigned char *p = &rgb[3 * (static_cast<std::size_t>(y) * width + x)];
    return p[0] < 128 && p[1] < 128 && p[2] < 128;
}

bool Picture::DarkNear(int x, int y, int radius) const {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (Dark(x + dx, y + dy)) return true;
    return false;
}

int Picture::DarkCount() const {
    int n = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) n += Dark(x, y);
    return n;
}

int Picture::Channel(double x, double y, int c) const {
    const int px = static_cast<int>(std::floor(x + 0.5)),
              py = static_cast<int>(std::floor(y + 0.5));
    if (px < 0 || py < 0 || px >= width || py >= height || c < 0 || c > 2) return -1;
    return rgb[3 * (static_cast<std::size_t>(py) * width + px) + c];
}

int Picture::Rgb(double x, double y) const {
    if (Channel(x, y, 0) < 0) return -1;
    return Channel(x, y, 0) << 16 | Channel(x, y, 1) << 8 | Channel(x, y, 2);
}

int PdfPageCount(const std::filesystem::path &pdf) {
    ReaderRun info = RunReader("pdfinfo '" + ReaderPath(pdf) + "'");
    EXPECT_EQ(0, info.status) << info.output;
    const std::size_t at = info.output.find("Pages:");
    if (info.status != 0 || at == std::string::npos) {
        ADD_FAILURE() << "pdfinfo names no page count: " << info.output;
        return -1;
    }
    return std::atoi(info.output.c_str() + at + 6);
}

Picture RenderPdfPage(const std::filesystem::path &pdf, int page, int dpi) {
    ScratchFolder folder("pdf-page");
    const std::string number = std::to_string(page);
    ReaderRun render = RunReader("pdftoppm -r " + std::to_string(dpi) + " -f " + number + " -l " +
                                 number + " -singlefile '" + ReaderPath(pdf) + "' '" +
                                 ReaderPath(folder.path / "page") + "'");
    EXPECT_EQ(0, render.status) << render.output;
    return ReadPpm(folder.path / "page.ppm");
}

Picture ReadPpm(const std::filesystem::path &path) {
    Picture p;
    std::string data = ReadWholeFile(path);
    std::istringstream in(data);
    std::string magic;
    int maxval = 0;
    in >> magic;
    auto next = [&](int &v) {
        in >> std::ws;
        while (in.peek() == '#') {
            std::string comment;
            std::getline(in, comment);
            in >> std::ws;
        }
        in >> v;
    };
    if (magic != "P6" && magic != "P4") return p;
    next(p.width);
    next(p.height);
    if (magic == "P4") {
        // A bitmap: rows of whole bytes, 1 for black.
        in.get();
        std::size_t rowBytes = (static_cast<std::size_t>(p.width) + 7) / 8;
        std::size_t at = static_cast<std::size_t>(in.tellg());
        if (at + rowBytes * p.height > data.size()) return Picture{};
        p.rgb.assign(static_cast<std::size_t>(p.width) * p.height * 3, 255);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (static_cast<unsigned char>(data[at + y * rowBytes + x / 8]) & (0x80 >> (x % 8)))
                    for (int c = 0; c < 3; ++c)
                        p.rgb[3 * (static_cast<std::size_t>(y) * p.width + x) + c] = 0;
        return p;
    }
    next(maxval);
    in.get();
    std::size_t size = static_cast<std::size_t>(p.width) * p.height * 3;
    std::size_t at = static_cast<std::size_t>(in.tellg());
    if (at + size > data.size()) return Picture{};
    p.rgb.assign(data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + size));
    return p;
}

void PlotTest::SetUp() {
    gGraphics = quill::DefaultGraphicsState();
    gHardcopy = quill::DefaultHardcopyState();
    gFigureFill = FigureFill{4, 0, 0, 0, 0.0f, 0};
    gGraphics.colour = {1, 0, 1};
    int kind = gGraphics.kind, id = gGraphics.id, w = 1000, h = 700;
    yyresn_(&kind, &id, &w, &h);
    for (int item = 1; item <= 3; ++item) infoerror_(&item);
}

void PlotTest::TearDown() { Close(); }

void PlotTest::Select(int device) {
    const int one = 1;
    igrhardcopyselect_(&one, &device);
}

void PlotTest::Open(int device, const std::string &file, const char *title) {
    Select(device);
    OpenSelected(file, title);
}

void PlotTest::OpenSelected(const std::string &file, const char *title) {
    std::string name = Name(file);
    igrhardcopy_(name.c_str(), title, static_cast<int>(name.size()),
                 title ? static_cast<int>(std::strlen(title)) : 0);
}

void PlotTest::Close() { igrhardcopy_("S", nullptr, 1, 0); }

void PlotTest::Line(float x1, float y1, float x2, float y2) {
    quill::SetPoint(1, x1, y1);
    quill::SetPoint(2, x2, y2);
    quill::SendOp(kOpLine, kSideHardcopy);
}

void PlotTest::Colour(int rgb) {
    gGraphics.prevColour = gGraphics.colour;
    gGraphics.colour.rgb = rgb;
    gGraphics.colour.index = rgb == 0 ? 1 : rgb == 0xFFFFFF ? 0 : 2;
    quill::SendOp(kOpColour, kSideHardcopy);
}

void PlotTest::Rectangle(float x1, float y1, float x2, float y2) {
    quill::SetPoint(1, x1, y1);
    quill::SetPoint(2, x2, y2);
    gOperands.Id(1) = 0;
    quill::SendFilledFigure(kOpRectanglePattern);
}

void PlotTest::Triangle(float x1, float y1, float x2, float y2, float x3, float y3) {
    quill::SetPoint(1, x1, y1);
    quill::SetPoint(2, x2, y2);
    quill::SetPoint(3, x3, y3);
    gOperands.Id(1) = 0;
    quill::SendFilledFigure(kOpTrianglePattern);
}

void PlotTest::Polyline(const std::vector<float> &x, const std::vector<float> &y) {
    quill::SetPolygon(x.data(), y.data(), static_cast<int>(x.size()));
    quill::SendOp(kOpPolyline, kSideHardcopy);
}

void PlotTest::Polygon(const std::vector<float> &x, const std::vector<float> &y) {
    quill::SetPolygon(x.data(), y.data(), static_cast<int>(x.size()));
    gOperands.Id(1) = 0;
    quill::SendFilledFigure(kOpPolygonPattern);
}

void PlotTest::Ellipse(float cx, float cy, float rx, float ry) {
    quill::SetPoint(1, cx, cy);
    quill::SetPoint(2, rx, ry);
    gOperands.Id(1) = 0;
    quill::SendFilledFigure(kOpEllipsePattern);
}

namespace {

void SectorOperands(float cx, float cy, float r, float a1, float a2) {
    quill::SetPoint(1, cx, cy);
    const float rad = 3.14159265f / 180.0f;
    gOperands.Rd(2) = r;
    gOperands.Rd(3) = a1 * rad;
    gOperands.Rd(4) = a1;
    gOperands.Rd(6) = r;
    gOperands.Rd(7) = a2 * rad;
    gOperands.Rd(8) = a2 - a1;
    gOperands.Id(1) = 0;
}

}  // namespace

void PlotTest::Sector(float cx, float cy, float r, float a1, float a2) {
    SectorOperands(cx, cy, r, a1, a2);
    quill::SendFilledFigure(kOpSectorPattern);
}

void PlotTest::Arc(float cx, float cy, float r, float a1, float a2) {
    SectorOperands(cx, cy, r, a1, a2);
    quill::SendOp(kOpArc, kSideHardcopy);
}

void PlotTest::Text(float x, float y, const std::string &text) {
    quill::SetPoint(1, x, y);
    quill::SetPoint(3, x + 10.0f * text.size(), y);
    quill::SetText(text.data(), text.size());
    quill::SendOp(kOpText, kSideHardcopy);
}

float PlotTest::Measure(const std::string &text, int *lines) {
    quill::SetText(text.data(), text.size());
    gOperands.Rd(1) = -1;
    gOperands.Id(2) = 0;
    quill::SendOp(kOpMeasure, kSideHardcopy);
    *lines = gOperands.Id(2);
    return gOperands.Rd(1);
}

void PlotTest::Gradient(const std::vector<float> &x, const std::vector<float> &y,
                        const std::vector<int> &rgb) {
    quill::SetPolygon(x.data(), y.data(), static_cast<int>(x.size()));
    quill::gGradient.count = static_cast<int>(rgb.size());
    for (std::size_t k = 0; k < rgb.size(); ++k) quill::gGradient.colour[k] = rgb[k];
    quill::SendOp(kOpGradient, kSideHardcopy);
}

void PlotTest::EndPage(bool more) {
    gOperands.Id(1) = 32;
    gOperands.Id(2) = more ? 0 : 1;
    quill::SendOp(kOpPage, kSideHardcopy);
}

void PlotTest::Option(int code, int value) { igrhardcopyoptions_(&code, &value); }
