// Metafiles for the clipboard: no file is made; the plain and placeable forms arrive as a
// metafile picture of the page's size, the enhanced form as an enhanced metafile.
#include <gtest/gtest.h>

#include "graphics/draw_families.h"
#include "scratch_folder.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace {

TEST(WmfClipboard, ClipboardMetafilesMakeNoFile) {
    ScratchFolder folder{"wmfclip"};
    for (int format : {0, 1, 2}) {
        const std::string name =
            (folder.path / ("clip" + std::to_string(format) + ".wmf")).string();
        const int width = 1440, height = 720, style = 0, box = 2000, bottom = 1000, sum = 7,
                  clipboard = 1;
        yywmfopen_(&width, &height, &format, &style, &box, &bottom, &sum, &clipboard, name.c_str(),
                   "clip", static_cast<int>(name.size()), 4);
        const int r = 0, g = 128, b = 0, a = 10, c = 400;
        yywmfcolour_(&r, &g, &b);
        yywmfrectangle_(&a, &a, &c, &c);
        yywmfclose_();
        EXPECT_FALSE(std::filesystem::exists(name)) << format;
        ASSERT_TRUE(OpenClipboard(nullptr));
        if (format == 2) {
            HENHMETAFILE emf = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
            ASSERT_NE(nullptr, emf);
            ENHMETAHEADER header = {};
            GetEnhMetaFileHeader(emf, sizeof header, &header);
            EXPECT_NEAR(width * 254 / 72, header.rclFrame.right - header.rclFrame.left, 2);
            EXPECT_GT(header.nRecords, 3u);
        } else {
            HANDLE data = GetClipboardData(CF_METAFILEPICT);
            ASSERT_NE(nullptr, data) << format;
            const METAFILEPICT *pict = static_cast<const METAFILEPICT *>(GlobalLock(data));
            ASSERT_NE(nullptr, pict);
            EXPECT_EQ(MM_ANISOTROPIC, pict->mm);
            EXPECT_EQ(width * 254 / 72, pict->xExt);
            EXPECT_EQ(height * 254 / 72, pict->yExt);
            EXPECT_GT(GetMetaFileBitsEx(pict->hMF, 0, nullptr), 18u);
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
}

}  // namespace
