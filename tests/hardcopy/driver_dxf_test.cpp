// The DXF driver: values and entities as written, and every file read and audited by ezdxf
// with the entity coordinates it reports.
// The readers are programs of this machine; the Windows build under Wine runs them as well.

#include "plot_readers.h"

#include <algorithm>
#include <string>

namespace {

class Dxf : public PlotTest {
protected:
    // ezdxf reads FILE, audits it and prints one line per entity: type and coordinates.
    std::string Entities(const std::string &file) {
        const std::string script =
            "import ezdxf,sys\n"
            "d=ezdxf.readfile(sys.argv[1])\n"
            "a=d.audit()\n"
            "assert not a.has_errors, [str(e.message) for e in a.errors]\n"
            "for e in d.modelspace():\n"
            "  t=e.dxftype()\n"
            "  if t=='LINE': print(t,'%.3f %.3f %.3f "
            "%.3f'%(e.dxf.start.x,e.dxf.start.y,e.dxf.end.x,e.dxf.end.y))\n"
            "  elif t=='SOLID': print(t,' '.join('%.3f %.3f'%(v.x,v.y) for v in "
            "(e.dxf.vtx0,e.dxf.vtx1,e.dxf.vtx2,e.dxf.vtx3)))\n"
            "  elif t=='POLYLINE': print(t,len(list(e.points())))\n"
            "  else: print(t)\n";
        std::string py = Name("read.py");
        FILE *out = std::fopen(py.c_str(), "wb");
        std::fwrite(script.data(), 1, script.size(), out);
        std::fclose(out);
        ReaderRun run =
            RunReader("/usr/bin/python3 '" + Unix("read.py") + "' '" + Unix(file) + "'");
        EXPECT_EQ(0, run.status) << run.output;
        return run.output;
    }
};

TEST_F(Dxf, ValuesAndEntities) {
    Open(8, "values.dxf");
    Line(0, 0, 999.99f, 699.99f);
    gGraphics.lineType = 2;
    Line(0, 699.99f, 500, 0);
    Triangle(100, 100, 300, 100, 200, 300);
    Polyline({0, 100, 200}, {0, 50, 0});
    Close();
    auto lines = SplitLines(ReadWholeFile(Name("values.dxf")));
    // The page is 10.5 by 7.5 inches.
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "10.5"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "0.25"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "-0.25"));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ((std::vector<std::string>{"0", "ENDSEC", "0", "EOF"}),
              std::vector<std::string>(lines.end() - 4, lines.end()));
    std::string entities = Entities("values.dxf");
    EXPECT_NE(std::string::npos, entities.find("LINE 0.000 0.000 10.500 7.500")) << entities;
    // A triangle is a SOLID whose fourth point repeats the third.
    EXPECT_NE(std::string::npos,
              entities.find("SOLID 1.050 1.071 3.150 1.071 2.100 3.214 2.100 3.214"))
        << entities;
    EXPECT_NE(std::string::npos, entities.find("POLYLINE 3")) << entities;
    // Line type 0 writes no "6" group, line type 2 names DASHED.
    std::string data = ReadWholeFile(Name("values.dxf"));
    std::size_t entitiesAt = data.find("ENTITIES");
    std::size_t first = data.find("LINE", entitiesAt), second = data.find("LINE", first + 4);
    EXPECT_EQ(std::string::npos, data.substr(first, second - first).find("\r\n6\r\n"));
    EXPECT_NE(std::string::npos, data.substr(second, 200).find("\r\n6\r\nDASHED\r\n"));
}

TEST_F(Dxf, EmptyAndPagesAndEveryFigure) {
    Open(8, "empty.dxf");
    Close();
    EXPECT_EQ("", Entities("empty.dxf"));
    Open(8, "all.dxf");
    for (int page = 0; page < 3; ++page) {
        Colour(0x0000FF);
        Rectangle(10, 10, 200, 100);
        Ellipse(500, 350, 100, 100);
        Sector(800, 500, 100, 0, 90);
        Polygon({10, 300, 300, 10}, {400, 400, 690, 690});
        Text(100, 600, "line\r\nbreak");
        EndPage(page < 2);
    }
    Close();
    std::string entities = Entities("all.dxf");
    EXPECT_NE(std::string::npos, entities.find("CIRCLE")) << entities;
    EXPECT_NE(std::string::npos, entities.find("TEXT")) << entities;
    EXPECT_EQ(std::string::npos, ReadWholeFile(Name("all.dxf")).find("line\r\nbreak"));
}

}  // namespace
