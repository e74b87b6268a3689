// Writes that fail half-way, targets that are not what they claim, and headers that lie: the
// set is left as it was and still opens.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "shell/EditView.h"
#include "shell/RecordSource.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/ExportImport.h"
#include "store/WriteFaults.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

class WriteFaultTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WriteMinimalSet(Dir(), 4);
    }
    void TearDown() override {
        WriteFaults::Disarm();
        db_.reset();
        TempDirTest::TearDown();
    }
    Database& Open() {
        db_.reset();
        db_ = std::make_unique<Database>(ui_);
        EXPECT_TRUE(db_->OpenAll("")) << testing::PrintToString(ui_.Texts());
        return *db_;
    }
    Bytes Read(FileId id) { return ReadBytes(Path(DescOf(id).name)); }

    // Runs op with the n-th write failing, for n = 1, 2, ... until op succeeds. After each failure
    // the file holds what it held before, in the running program and after a fresh open.
    void FailEachWriteOf(FileId id, const std::function<int(TableFile&)>& op) {
        const Bytes before = Read(id);
        for (uint64_t n = 1; n < 200; ++n) {
            TableFile& t = *Open().Table(id);
            WriteFaults::Arm(n, WriteFault::Fail);
            const int ok = op(t);
            WriteFaults::Disarm();
            if (ok) return;
            SCOPED_TRACE(n);
            EXPECT_EQ(t.RecordCount(), 4u);
            EXPECT_EQ(t.FileSize(), before.size());
            Open();
            EXPECT_EQ(Read(id), before);
            EXPECT_EQ(db_->Table(id)->RecordCount(), 4u);
        }
        ADD_FAILURE() << "the operation never succeeded";
    }

    ScriptedUi ui_;
    std::unique_ptr<Database> db_;
};

TEST_F(WriteFaultTest, DeletesThatFailLeaveCountAndLengthTogether) {
    FailEachWriteOf(FileId::Wcd, [](TableFile& t) { return t.DeleteLastRecord(3); });
    EXPECT_EQ(Read(FileId::Wcd), PatternFile(3, DescOf(FileId::Wcd).memSize));
    WriteMinimalSet(Dir(), 4);
    FailEachWriteOf(FileId::Wcd, [](TableFile& t) { return t.DeleteRecord(1); });
    WriteMinimalSet(Dir(), 4);
    const Bytes rec(DescOf(FileId::Fcd).memSize, 0xAB);
    FailEachWriteOf(FileId::Fcd, [&](TableFile& t) { return t.InsertRecord(1, rec.data()); });
    WriteMinimalSet(Dir(), 4);
    FailEachWriteOf(FileId::Fcd, [&](TableFile& t) {
        int index = 0;
        return t.AppendRecord(index, rec.data());
    });
}

TEST_F(WriteFaultTest, ExportRefusesAFileOfAnOpenSet) {
    Database& db = Open();
    for (const char* target : {"vantor.wcd", "./vantor.ct", ".tablon/journal"}) {
        SCOPED_TRACE(target);
        const Bytes before = ReadBytes(Path(target));
        ui_.Clear();
        ui_.QueueFile(std::string(target));
        EXPECT_FALSE(ExportItem(db, FileId::Ct, 1, ui_));
        EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Export failed"});
        EXPECT_EQ(ReadBytes(Path(target)), before);
    }
    // Another program's set is as much off limits: here, a second set object holding the file.
    db_.reset();
    ScriptedUi other;
    Database holder(other);
    ASSERT_TRUE(holder.Table(FileId::Wcd)->Open("vantor.wcd", "", 1));
    Database reader(ui_);
    ASSERT_TRUE(reader.Table(FileId::Ct)->Open("vantor.ct", "", 0));
    ui_.QueueFile(std::string("vantor.wcd"));
    EXPECT_FALSE(ExportItem(reader, FileId::Ct, 1, ui_));
    // An ordinary file is still appended to.
    ui_.QueueFile(Path("out.vte"));
    EXPECT_TRUE(ExportItem(reader, FileId::Ct, 1, ui_));
    EXPECT_EQ(ReadBytes(Path("out.vte")).size(), 12u + DescOf(FileId::Ct).memSize);
}

TEST_F(WriteFaultTest, ImportReadsOnlyRegularFilesWithinTheirSize) {
    Database& db = Open();
    // Without the checks these never end: an alarm ends the test instead of hanging it.
    alarm(20);
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    ui_.SetDefaultAnswer(Answer::Yes);
    EXPECT_EQ(ImportFile(db, "/dev/zero", ui_), 0);
    EXPECT_EQ(ImportFile(db, Path("pipe"), ui_), 0);
    EXPECT_EQ(ImportFile(db, Dir(), ui_), 0);
    alarm(0);
    EXPECT_TRUE(ui_.Messages().empty());

    // An entry claiming more than the rest of the file ends the import there.
    Bytes entry(12 + DescOf(FileId::Icd).memSize, 5);
    StoreLE<uint32_t>(entry.data(), 6);
    StoreLE<uint32_t>(entry.data() + 4, DescOf(FileId::Icd).memSize);
    StoreLE<uint32_t>(entry.data() + 8, 1);
    Bytes two = entry;
    two.insert(two.end(), entry.begin(), entry.end());
    StoreLE<uint32_t>(two.data() + entry.size() + 4, 0xFFFFFFF0u);
    WriteBytes(Path("in.vte"), two);
    EXPECT_EQ(ImportFile(db, Path("in.vte"), ui_), 1);
}

TEST_F(WriteFaultTest, ListsNeverClaimMoreRecordsThanTheFileHolds) {
    // A sound table whose header claims 2^31 - 1 records and holds two.
    Bytes sfx(8 + 2 * 128, 0);
    StoreLE<uint32_t>(sfx.data(), 1);
    StoreLE<uint32_t>(sfx.data() + 4, 0x7FFFFFFF);
    WriteBytes(Path(DescOf(FileId::Sfx).name), sfx);
    // And a class table claiming 65,535 records and holding four.
    Bytes ct = Read(FileId::Ct);
    StoreLE<uint16_t>(ct.data(), 0xFFFF);
    WriteBytes(Path(DescOf(FileId::Ct).name), ct);
    db_ = std::make_unique<Database>(ui_);
    db_->OpenAll("");
    for (const auto& desc : FileDescs()) db_->File(desc.id).Open(desc.name, "", 1);
    EXPECT_EQ(MakeSource(*db_, {FileId::Sfx})->Count(), 2);
    EXPECT_EQ(MakeSource(*db_, {FileId::Ct})->Count(), 4);
    // The editable lists (the sound list among them) read through their own source: a list
    // reserves rows for what it counts, so the claim must not reach it either.
    EXPECT_EQ(RowSource(*db_, FileId::Sfx).Count(), 2);
    EXPECT_EQ(RowSource(*db_, FileId::Ct).Count(), 4);
}

}  // namespace
}  // namespace tablon::test
