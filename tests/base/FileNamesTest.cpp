#include "FileNames.h"

#include <gtest/gtest.h>

namespace {

// Paths of either system split alike: every separator ends a folder, and only the file
// name's last dot starts its extension.
TEST(FileNames, SplitAtTheLastSeparatorOfAnyKind)
{
    struct TCase {
        const char* Path;
        const char* Folder;
        const char* Name;
        const char* WithItl;
    };
    for (const TCase& Case : {
             TCase { "/opt/x.d/fokalis", "/opt/x.d/", "fokalis", "/opt/x.d/fokalis.itl" },
             TCase { "C:\\X\\demo.exe", "C:\\X\\", "demo.exe", "C:\\X\\demo.itl" },
             TCase { "C:demo.exe", "C:", "demo.exe", "C:demo.itl" },
             TCase { "a/b\\c:d.e.f", "a/b\\c:", "d.e.f", "a/b\\c:d.e.itl" },
             TCase { "demo", "", "demo", "demo.itl" },
             TCase { "dir/", "dir/", "", "dir/.itl" },
             TCase { "", "", "", ".itl" },
         }) {
        EXPECT_EQ(ExtractFilePath(Case.Path), Case.Folder) << Case.Path;
        EXPECT_EQ(ExtractFileName(Case.Path), Case.Name) << Case.Path;
        EXPECT_EQ(ExtractFilePath(Case.Path) + ExtractFileName(Case.Path), Case.Path);
        EXPECT_EQ(ReplaceFileExtension(Case.Path, ".itl"), Case.WithItl) << Case.Path;
    }
}

} // namespace
