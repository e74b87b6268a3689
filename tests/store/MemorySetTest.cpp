// A set opened from bytes in memory behaves as the same set on disk, and never touches the
// disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/MappedFile.h"
#include "platform/MemoryFile.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/MemorySet.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

namespace fs = std::filesystem;

class MemorySetTest : public TempDirTest {
  protected:
    MemoryFiles MinimalSet() {
        fs::create_directories(Path("set"));
        WriteMinimalSet(Path("set"), 4);
        MemoryFiles files;
        for (const auto& e : fs::directory_iterator(Path("set")))
            files[e.path().filename().string()] = ReadBytes(e.path().string());
        fs::remove_all(Path("set"));
        return files;
    }
};

TEST_F(MemorySetTest, OpensReadsAndWritesWithoutTheDisk) {
    MemoryFiles files = MinimalSet();
    files.erase("Vantor.ddp");  // an optional file that is not there is skipped
    const MemorySet set(files);
    ScriptedUi ui;
    Database db(ui);
    ASSERT_TRUE(db.OpenAll(""));
    EXPECT_TRUE(ui.Texts().empty());
    EXPECT_EQ(db.File(FileId::Ddp).Status().state, FileState::Unopened);
    TableFile& wcd = *db.Table(FileId::Wcd);
    ASSERT_EQ(wcd.RecordCount(), 4u);
    Bytes rec;
    ASSERT_EQ(wcd.GetRecord(2, rec), 1);
    EXPECT_EQ(rec[5], PatternByte(2, 5));

    // Writes, appends and deletes work on the copy; the bytes given stay as they were.
    rec[5] ^= 0xFF;
    ASSERT_EQ(wcd.SetRecord(2, rec), 1);
    int index = -1;
    ASSERT_EQ(wcd.AppendRecord(index, rec.data()), 1);
    EXPECT_EQ(index, 4);
    Bytes back;
    ASSERT_EQ(wcd.GetRecord(4, back), 1);
    EXPECT_EQ(back, rec);
    ASSERT_EQ(wcd.DeleteLastRecord(4), 1);
    EXPECT_EQ(wcd.RecordCount(), 4u);
    EXPECT_EQ(files.at("vantor.wcd")[2 + 2 * wcd.RecordSize() + 5], PatternByte(2, 5));
    EXPECT_TRUE(fs::is_empty(Dir())) << "the disk was touched";
}

// Readers that open a file by path open a file in memory the same way.
TEST_F(MemorySetTest, AFileInMemoryIsReadByPath) {
    const Bytes bytes{1, 2, 3, 0, 5};
    std::string path;
    {
        const MemoryFile f(bytes.data(), bytes.size());
        ASSERT_TRUE(f.Ok());
        path = f.Path();
        EXPECT_EQ(ReadBytes(path), bytes);
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(MemorySetTest, AMissingOrMisfitRequiredFileIsRefusedWithItsMessage) {
    MemoryFiles files = MinimalSet();
    files.erase("vantor.ct");
    {
        const MemorySet set(files);
        ScriptedUi ui;
        Database db(ui);
        EXPECT_FALSE(db.OpenAll(""));
        EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Can't open file vantor.ct"});
    }
    files = MinimalSet();
    files["vantor.pd"].push_back(0);
    files["vantor.fed"].clear();
    {
        const MemorySet set(files);
        ScriptedUi ui;
        Database db(ui);
        EXPECT_FALSE(db.OpenAll(""));
        EXPECT_EQ(ui.Texts(),
                  (std::vector<std::string>{"File Mapping failed", "Can't map file vantor.fed"}));
    }
    EXPECT_TRUE(fs::is_empty(Dir()));
}

// A file in memory is read where its bytes are; the first change copies them, and every way of
// changing it (through the view, cutting, appending, writing at an offset) leaves them as
// they were.
TEST(MemoryMappedFileTest, ReadsInPlaceAndCopiesAtTheFirstChange) {
    const Bytes given{1, 2, 3, 4, 5, 6};
    MappedFile f;
    f.OpenMemory(given.data(), given.size(), true);
    bool failed = false;
    ASSERT_TRUE(f.Map(failed));
    EXPECT_EQ(f.View(), given.data());
    EXPECT_EQ(f.ViewSize(), 6u);

    uint8_t* w = f.WritableView();
    ASSERT_NE(w, nullptr);
    EXPECT_NE(w, given.data());
    w[0] = 9;
    EXPECT_EQ(given[0], 1);
    const uint8_t more[] = {7, 8};
    ASSERT_TRUE(f.AppendAtEnd(more, 2));
    uint64_t size = 0;
    ASSERT_TRUE(f.ReadSize(size));
    EXPECT_EQ(size, 8u);
    // The view still shows what it showed, at wherever the bytes now are.
    EXPECT_EQ(f.ViewSize(), 6u);
    EXPECT_EQ(Bytes(f.View(), f.View() + 6), (Bytes{9, 2, 3, 4, 5, 6}));
    f.Unmap();
    ASSERT_TRUE(f.WriteAt(9, more, 2));  // past the end: the gap reads 0
    ASSERT_TRUE(f.Map(failed));
    EXPECT_EQ(Bytes(f.View(), f.View() + f.ViewSize()), (Bytes{9, 2, 3, 4, 5, 6, 7, 8, 0, 7, 8}));
    ASSERT_TRUE(f.Truncate(0));
    EXPECT_EQ(f.View(), nullptr);
    f.Unmap();
    EXPECT_FALSE(f.Map(failed));
    EXPECT_TRUE(failed);
    EXPECT_EQ(given, (Bytes{1, 2, 3, 4, 5, 6}));

    // A file opened for reading gives no view to write into and takes no change.
    MappedFile r;
    r.OpenMemory(given.data(), given.size(), false);
    ASSERT_TRUE(r.Map(failed));
    EXPECT_EQ(r.WritableView(), nullptr);
    EXPECT_FALSE(r.Truncate(2));
    EXPECT_FALSE(r.AppendAtEnd(more, 2));
    EXPECT_FALSE(r.WriteAt(0, more, 2));
    EXPECT_EQ(r.View(), given.data());
}

// An insert shifts records through the view it took before appending: the view stays where it
// is while the file grows (a list load once wrote through a view the append had freed).
TEST(MemoryMappedFileTest, AWritableViewStaysPutWhileTheFileGrows) {
    const Bytes given(100, 7);
    MappedFile f;
    f.OpenMemory(given.data(), given.size(), true);
    bool failed = false;
    ASSERT_TRUE(f.Map(failed));
    uint8_t* w = f.WritableView();
    ASSERT_NE(w, nullptr);
    const Bytes more(1000, 1);
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(f.AppendAtEnd(more.data(), more.size()));
    EXPECT_EQ(f.View(), w);
    w[0] = 9;
    f.Unmap();
    ASSERT_TRUE(f.Map(failed));
    EXPECT_EQ(f.View()[0], 9);
    EXPECT_EQ(f.ViewSize(), 50100u);
}

}  // namespace
}  // namespace tablon::test
