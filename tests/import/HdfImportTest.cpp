// HDF files through the library bound at run time: a file made here by the same library (one
// data set) imports, a file that is no HDF file is refused, a missing library is named.
#include "HeaderFixture.h"
#include "import/vForeignHeaders.h"
#include "import/vHdfLibrary.h"
#include "runtime/RtNumbers.h"

namespace {

constexpr int32_t DFNT_UINT8 = 21;

bool LibraryPresent() {
    try {
        LoadHDFLibrary();
        return true;
    } catch (const EHdfLibraryError&) {
        return false;
    }
}

// One 4 x 3 data set of bytes, written through the library.
void MakeHdfFile(const std::string& path) {
    using Create = int32_t (*)(int32_t, const char*, int32_t, int32_t, int32_t*);
    using Write = int (*)(int32_t, int32_t*, int32_t*, int32_t*, void*);
    using EndAccess = int (*)(int32_t);
    const int32_t sd = SDstart(path, DFACC_CREATE);
    ASSERT_NE(sd, -1);
    int32_t dims[2] = {3, 4};
    const int32_t sds =
        reinterpret_cast<Create>(HDFEntryPoint("SDcreate"))(sd, "band1", DFNT_UINT8, 2, dims);
    ASSERT_NE(sds, -1);
    uint8_t data[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    int32_t start[2] = {0, 0};
    EXPECT_EQ(
        reinterpret_cast<Write>(HDFEntryPoint("SDwritedata"))(sds, start, nullptr, dims, data), 0);
    reinterpret_cast<EndAccess>(HDFEntryPoint("SDendaccess"))(sds);
    SDend(sd);
}

// Runs before any test here binds the real library.
TEST(HdfLibrary, MissingOrIncompleteLibraryIsNamed) {
    std::string error;
    if (!HDFLibraryBound()) {
        EXPECT_FALSE(BindHDFPair("libvorn-absent.so.0", "libvorn-absent-sd.so.0", error));
        EXPECT_EQ(error, "DLL libvorn-absent.so.0 could not be loaded");
    }
    // A library that loads but is no HDF library lacks the entry points.
    if (!HDFLibraryBound()) {
        EXPECT_FALSE(BindHDFPair("libm.so.6", "libm.so.6", error));
        EXPECT_EQ(error, "Could not grab all SD functions in libm.so.6.");
    }
    EXPECT_EQ(std::string(HdfEntryPointNames[0]), "SDstart");
    EXPECT_EQ(std::string(HdfEntryPointNames[HdfEntryPointCount - 1]), "SDwritedata");
}

class HdfImport : public HeaderTest {
  protected:
    void SetUp() override {
        HeaderTest::SetUp();
        if (!LibraryPresent()) GTEST_SKIP() << "no HDF4 library installed";
    }
};

TEST_F(HdfImport, FileMadeByTheLibraryImportsAndSavesTheDIH) {
    const std::string path = Dir.File("scene.hdf");
    MakeHdfFile(path);
    const std::string before = FileText(path);
    const HeaderImport result = ImportHeaderFile(P, path);
    EXPECT_TRUE(result.Saved) << Rec.Summary();
    EXPECT_FALSE(result.ShowViewer);
    EXPECT_TRUE(FileExists(Dir.File("scene.dih")));
    // Opened for reading only: the file is as the library left it.
    EXPECT_EQ(FileText(path), before);
}

TEST_F(HdfImport, NonHdfFileIsRefusedAndNothingSaved) {
    const std::string path = Dir.File("fake.hdf");
    WriteFileAtomic(path, std::string("this is not a hierarchical data file"),
                    TReplaceLeave::Chosen(path));
    const HeaderImport result = ImportHeaderFile(P, path);
    EXPECT_FALSE(result.Saved);
    EXPECT_TRUE(Rec.Shown(NotHDFMessage)) << Rec.Summary();
    EXPECT_FALSE(FileExists(Dir.File("fake.dih")));
    EXPECT_EQ(FileText(path), "this is not a hierarchical data file");
}

TEST_F(HdfImport, MissingFileIsNotMade) {
    const std::string path = Dir.File("absent.hdf");
    EXPECT_FALSE(RIHOpenHDFHeader(P, path));
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(Rec.Shown(39998));
}

} // namespace
