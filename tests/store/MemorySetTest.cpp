// A set opened from bytes in memory behaves as the same set on disk, and never touches the
// disk.
#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace tablon::test
