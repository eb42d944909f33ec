#include "base/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/text.h"
#include "tests/support/memory_file_system.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

class HostFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("tarn-fs-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    std::u16string P(const std::string& relative) const {
        std::u16string p = FromUtf8(root_.string());
        for (char c : relative) p += c == '/' ? u'\\' : char16_t(c);
        return p;
    }
    fs::path root_;
};

TEST_F(HostFileSystemTest, OpenFailuresNameTheirCause) {
    FileSystem& host = PlatformFileSystem();
    EXPECT_EQ(host.OpenForRead(P("/missing.cfg")).error, FileError::NotFound);
    EXPECT_EQ(host.OpenForRead(P("/no-folder/missing.cfg")).error, FileError::BadPath);
    EXPECT_EQ(host.OpenForWrite(P("/no-folder/x.cfg")).error, FileError::BadPath);
    EXPECT_EQ(host.OpenForRead(P("")).error, FileError::AccessDenied);  // a folder
    if (::geteuid() != 0) {
        fs::permissions(root_, fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_EQ(host.OpenForWrite(P("/x.cfg")).error, FileError::AccessDenied);
    }
}

TEST_F(HostFileSystemTest, ReadIntoZeroesWhatTheFileLacks) {
    std::ofstream(root_ / "short.bin", std::ios::binary) << "ab";
    uint8_t buf[4] = {9, 9, 9, 9};
    size_t n = 0;
    EXPECT_EQ(ReadFileInto(PlatformFileSystem(), P("/short.bin"), buf, 4, &n), FileError::None);
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(buf[0], 'a');
    EXPECT_EQ(buf[2], 0);
    EXPECT_EQ(buf[3], 0);
}

TEST_F(HostFileSystemTest, ReplacingWriteLeavesNoTemporaryFile) {
    FileSystem& host = PlatformFileSystem();
    const char first[] = "first";
    const char second[] = "second!";
    ASSERT_EQ(WriteFileReplacing(host, P("/f.cfg"), first, 5), FileError::None);
    ASSERT_EQ(WriteFileReplacing(host, P("/f.cfg"), second, 7), FileError::None);
    EXPECT_EQ(fs::file_size(root_ / "f.cfg"), 7u);
    EXPECT_FALSE(fs::exists(root_ / "f.cfg.tmp"));
    EXPECT_EQ(host.CopyFileTo(P("/f.cfg"), P("/g.cfg"), true), FileError::None);
    EXPECT_NE(host.CopyFileTo(P("/f.cfg"), P("/g.cfg"), true), FileError::None);
    EXPECT_EQ(host.CreateFolders(P("/a/b/c")), FileError::None);
    EXPECT_TRUE(host.IsDirectory(P("/a/b")));
}

TEST(ReplacingWriteTest, AFailedWriteKeepsThePreviousFile) {
    test::MemoryFileSystem mem;
    mem.AddFile(u"D:\\data\\Profile1.cfg", {1, 2, 3});
    mem.writeBudget = 2;  // the disk fills up during the write
    const uint8_t data[5] = {5, 5, 5, 5, 5};
    EXPECT_NE(WriteFileReplacing(mem, u"D:\\data\\Profile1.cfg", data, 5), FileError::None);
    EXPECT_EQ(mem.Bytes(u"D:\\data\\Profile1.cfg"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(mem.Has(u"D:\\data\\Profile1.cfg.tmp"));

    mem.writeBudget = -1;
    mem.readOnly.insert(u"D:\\data\\Profile1.cfg");
    EXPECT_EQ(WriteFileReplacing(mem, u"D:\\data\\Profile1.cfg", data, 5), FileError::AccessDenied);
    EXPECT_EQ(mem.Bytes(u"D:\\data\\Profile1.cfg").size(), 3u);
    EXPECT_EQ(WriteFileReplacing(mem, u"D:\\gone\\Profile1.cfg", data, 5), FileError::BadPath);
}

}  // namespace
}  // namespace tarn
