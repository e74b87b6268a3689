#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "classtable/CtFile.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/RecordFile.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

class RecordFileTest : public TempDirTest {
  protected:
    // Opens one file of the set by its bare name in the working directory.
    TableFile& OpenTable(FileId id, int mode = 1, bool expectOk = true) {
        db_ = std::make_unique<Database>(ui_);
        TableFile* t = db_->Table(id);
        int ok = t->Open(DescOf(id).name, "", mode);
        EXPECT_EQ(ok, expectOk ? 1 : 0) << testing::PrintToString(ui_.Texts());
        return *t;
    }
    void Write(FileId id, const Bytes& b) { WriteBytes(Path(DescOf(id).name), b); }
    Bytes Read(FileId id) { return ReadBytes(Path(DescOf(id).name)); }

    ScriptedUi ui_;
    std::unique_ptr<Database> db_;
};

TEST_F(RecordFileTest, SizeCheckAcceptsExactSizeOnly) {
    Write(FileId::Icd, PatternFile(4, 20));
    EXPECT_EQ(OpenTable(FileId::Icd).RecordCount(), 4u);
    EXPECT_TRUE(ui_.Messages().empty());

    for (int delta : {-1, +1}) {
        Bytes b = PatternFile(4, 20);
        b.resize(b.size() + delta);
        Write(FileId::Icd, b);
        ui_.Clear();
        TableFile& t = OpenTable(FileId::Icd, 1, false);
        ASSERT_EQ(ui_.Texts().size(), 1u);
        EXPECT_EQ(ui_.Texts()[0], Format("ICD File size not the expected size - not 1.07?\n"
                                         "4 records indicated - looks like about %d actual",
                                         int((b.size() - 2) / 20)));
        // The file stays mapped with the header's count; what lies past the end fails.
        EXPECT_EQ(t.RecordCount(), 4u);
        EXPECT_EQ(t.Status().state, FileState::BadSize);
        Bytes rec;
        EXPECT_EQ(t.GetRecord(3, rec), delta > 0 ? 1 : 0);
        // Nothing is ever written into a file whose layout did not check out.
        EXPECT_EQ(t.SetRecord(0, Bytes(20, 9)), 0);
    }
}

TEST_F(RecordFileTest, SizeMessagesWithoutNumbersAndOfOptionalFiles) {
    Write(FileId::Vcd, Bytes(2 + 157, 0));
    OpenTable(FileId::Vcd, 1, false);
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{"VCD File size not the expected size - not 1.07?"});

    ui_.Clear();
    Bytes rkt = CountFile(3, 6);
    rkt.push_back(0);
    Write(FileId::Rkt, rkt);
    OpenTable(FileId::Rkt, 1, false);
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{"RKT File size not the expected size\n"
                                       "3 records indicated - looks like about 3 actual"});
}

TEST_F(RecordFileTest, EmptyAndTinyFiles) {
    // An empty file cannot be mapped.
    Write(FileId::Acd, {});
    OpenTable(FileId::Acd, 1, false);
    EXPECT_EQ(ui_.Texts(),
              (std::vector<std::string>{"File Mapping failed", "Can't map file vantor.acd"}));
    EXPECT_EQ(db_->File(FileId::Acd).Status().state, FileState::Unmapped);

    // Two bytes with a count of 0: no records.
    ui_.Clear();
    Write(FileId::Acd, CountFile(0, 52));
    TableFile& t = OpenTable(FileId::Acd);
    Bytes rec;
    EXPECT_EQ(t.GetRecord(0, rec), 0);
    EXPECT_EQ(t.LastIndex(), -1);
    EXPECT_EQ(t.DeleteLastRecord(-1), 0);
    EXPECT_EQ(t.DeleteLastRecord(0), 0);

    // One byte: not even a count.
    ui_.Clear();
    Write(FileId::Acd, Bytes{7});
    TableFile& u = OpenTable(FileId::Acd, 1, false);
    EXPECT_EQ(u.GetRecord(0, rec), 0);
    ASSERT_EQ(ui_.Texts().size(), 1u);
}

TEST_F(RecordFileTest, FirstMatchingSizeWins) {
    // Two bytes fit every size: the first listed wins.
    Write(FileId::Vcd, CountFile(0, 160));
    EXPECT_EQ(OpenTable(FileId::Vcd).RecordSize(), 160);
    EXPECT_EQ(db_->Table(FileId::Vcd)->Version(), 0);
    Write(FileId::Ssd, CountFile(0, 223));
    EXPECT_EQ(OpenTable(FileId::Ssd).RecordSize(), 223);

    struct Case {
        FileId id;
        uint16_t size;
        int version;
    } cases[] = {{FileId::Vcd, 156, 1}, {FileId::Vcd, 160, 0}, {FileId::Wcd, 52, 1},
                 {FileId::Wcd, 60, 0},  {FileId::Ssd, 203, 0}, {FileId::Ssd, 603, 0},
                 {FileId::Wld, 112, 0}, {FileId::Wld, 208, 0}, {FileId::Rcd, 56, 0},
                 {FileId::Rcd, 58, 0},  {FileId::Rwd, 20, 0},  {FileId::Rwd, 22, 0}};
    for (const auto& c : cases) {
        Write(c.id, PatternFile(3, c.size));
        TableFile& t = OpenTable(c.id);
        EXPECT_EQ(t.RecordSize(), c.size) << DescOf(c.id).name;
        EXPECT_EQ(t.Version(), c.version) << DescOf(c.id).name;
    }
}

TEST_F(RecordFileTest, ReadWriteBounds) {
    Write(FileId::Swd, PatternFile(3, 52));
    TableFile& t = OpenTable(FileId::Swd);
    Bytes rec;
    ASSERT_EQ(t.GetRecord(2, rec), 1);
    EXPECT_EQ(rec[0], PatternByte(2, 0));
    EXPECT_EQ(rec[51], PatternByte(2, 51));
    EXPECT_EQ(t.GetRecord(3, rec), 0);
    EXPECT_EQ(t.GetRecord(-1, rec), 0);
    EXPECT_EQ(t.SetRecord(3, Bytes(52, 1)), 0);

    // A write lands on disk at once, and only in its record.
    Bytes before = Read(FileId::Swd);
    ASSERT_EQ(t.SetRecord(1, Bytes(52, 0xAB)), 1);
    Bytes after = Read(FileId::Swd);
    for (size_t k = 0; k < after.size(); ++k) {
        bool inside = k >= 2 + 52 && k < 2 + 104;
        EXPECT_EQ(after[k], inside ? 0xAB : before[k]) << k;
    }

    // Read-only files refuse every write.
    TableFile& ro = OpenTable(FileId::Swd, 0);
    EXPECT_EQ(ro.GetRecord(0, rec), 1);
    EXPECT_EQ(ro.SetRecord(0, rec), 0);
    int index = 0;
    EXPECT_EQ(ro.AppendRecord(index, rec.data()), 0);
    EXPECT_EQ(ro.DeleteLastRecord(2), 0);
    EXPECT_EQ(Read(FileId::Swd), after);
}

TEST_F(RecordFileTest, AppendThenDeleteRestoresTheFile) {
    for (FileId id : {FileId::Ct, FileId::Vcd, FileId::Wld, FileId::Sfx}) {
        Bytes original;
        if (id == FileId::Sfx) {
            original = Bytes(8 + 2 * 124, 3);
            StoreLE<uint32_t>(original.data(), 1);
            StoreLE<uint32_t>(original.data() + 4, 2);
        } else {
            original = PatternFile(5, id == FileId::Vcd ? 156 : id == FileId::Wld ? 112 : 81);
        }
        Write(id, original);
        TableFile& t = OpenTable(id);
        const uint32_t count = t.RecordCount();
        Bytes rec(t.MemSize(), 0x5A);
        int index = -1;
        ASSERT_EQ(t.AppendRecord(index, rec.data()), 1);
        EXPECT_EQ(index, int(count));
        EXPECT_EQ(t.RecordCount(), count + 1);
        EXPECT_EQ(t.FileSize(), t.Desc().header == HeaderKind::Sound
                                    ? 8 + (count + 1) * 124
                                    : 2 + (count + 1) * t.RecordSize());
        Bytes disk = Read(id);
        EXPECT_EQ(disk.size(), t.FileSize());
        Bytes back;
        ASSERT_EQ(t.GetRecord(index, back), 1);
        // Older layouts keep only what their file form holds.
        Bytes expect(t.MemSize(), 0x5A);
        auto zero = [&](size_t from, size_t to) {
            for (size_t k = from; k < to && k < expect.size(); ++k) expect[k] = 0;
        };
        if (id == FileId::Vcd) zero(20, 24);
        if (id == FileId::Wld) {
            zero(80, 144);
            zero(176, 208);
        }
        if (id == FileId::Sfx) zero(124, 128);
        EXPECT_EQ(back, expect) << DescOf(id).name;

        EXPECT_EQ(t.DeleteLastRecord(index - 1), 0);
        ASSERT_EQ(t.DeleteLastRecord(index), 1);
        EXPECT_EQ(Read(id), original) << DescOf(id).name;
        EXPECT_EQ(t.RecordCount(), count);
    }
}

TEST_F(RecordFileTest, OlderLayoutsConvertInOnePlace) {
    // Vehicles: the older form lacks bytes 20 to 23.
    Write(FileId::Vcd, PatternFile(2, 156));
    TableFile& v = OpenTable(FileId::Vcd);
    Bytes rec;
    ASSERT_EQ(v.GetRecord(1, rec), 1);
    ASSERT_EQ(rec.size(), 160u);
    EXPECT_EQ(rec[19], PatternByte(1, 19));
    for (int k = 20; k < 24; ++k) EXPECT_EQ(rec[k], 0);
    EXPECT_EQ(rec[24], PatternByte(1, 20));
    EXPECT_EQ(rec[159], PatternByte(1, 155));
    Bytes before = Read(FileId::Vcd);
    ASSERT_EQ(v.SetRecord(1, rec), 1);
    EXPECT_EQ(Read(FileId::Vcd), before);

    // Weapons: the older form lacks 24 to 27 and 56 to 59.
    Write(FileId::Wcd, PatternFile(2, 52));
    TableFile& w = OpenTable(FileId::Wcd);
    ASSERT_EQ(w.GetRecord(0, rec), 1);
    EXPECT_EQ(rec[23], PatternByte(0, 23));
    EXPECT_EQ(rec[28], PatternByte(0, 24));
    EXPECT_EQ(rec[55], PatternByte(0, 51));
    for (int k : {24, 27, 56, 59}) EXPECT_EQ(rec[k], 0);
    before = Read(FileId::Wcd);
    ASSERT_EQ(w.SetRecord(0, rec), 1);
    EXPECT_EQ(Read(FileId::Wcd), before);

    // Weapon lists: 32 references and 32 counts move to their places in the 208-byte form.
    Write(FileId::Wld, PatternFile(2, 112));
    TableFile& l = OpenTable(FileId::Wld);
    ASSERT_EQ(l.GetRecord(1, rec), 1);
    EXPECT_EQ(rec[16], PatternByte(1, 16));
    EXPECT_EQ(rec[79], PatternByte(1, 79));
    EXPECT_EQ(rec[80], 0);
    EXPECT_EQ(rec[144], PatternByte(1, 80));
    EXPECT_EQ(rec[175], PatternByte(1, 111));
    EXPECT_EQ(rec[176], 0);
    before = Read(FileId::Wld);
    ASSERT_EQ(l.SetRecord(1, rec), 1);
    EXPECT_EQ(Read(FileId::Wld), before);

    // Stores, radars and radar-warning receivers: the shorter form is the front of the longer.
    for (auto [id, size] : {std::pair{FileId::Ssd, 203}, {FileId::Rcd, 56}, {FileId::Rwd, 20}}) {
        Write(id, PatternFile(2, uint16_t(size)));
        TableFile& t = OpenTable(id);
        ASSERT_EQ(t.GetRecord(1, rec), 1);
        EXPECT_EQ(rec[size - 1], PatternByte(1, size - 1));
        EXPECT_EQ(rec[size], 0);
        rec[size] = 0x77;  // has no place in the file
        before = Read(id);
        ASSERT_EQ(t.SetRecord(1, rec), 1);
        EXPECT_EQ(Read(id), before);
    }
}

TEST_F(RecordFileTest, BatchedWritesLandAndReportTheirFlush) {
    Write(FileId::Swd, PatternFile(5, 52));
    TableFile& t = OpenTable(FileId::Swd);
    {
        WriteBatch batch(t);
        for (int i : {4, 0, 2}) ASSERT_EQ(t.SetRecord(i, Bytes(52, uint8_t(0x10 + i))), 1);
        // A refused write inside a batch is still refused at once.
        EXPECT_EQ(t.SetRecord(5, Bytes(52, 1)), 0);
        EXPECT_EQ(batch.Finish(), 1);
    }
    Bytes disk = Read(FileId::Swd);
    for (int i = 0; i < 5; ++i) {
        uint8_t expect = (i % 2 == 0) ? uint8_t(0x10 + i) : PatternByte(i, 7);
        EXPECT_EQ(disk[2 + size_t(i) * 52 + 7], expect) << i;
    }
    // Nested batches flush when the outermost one ends; an empty batch has nothing to fail.
    WriteBatch outer(t);
    {
        WriteBatch inner(t);
        ASSERT_EQ(t.SetRecord(1, Bytes(52, 0x66)), 1);
    }
    EXPECT_EQ(outer.Finish(), 1);
    EXPECT_EQ(Read(FileId::Swd)[2 + 52], 0x66);
    EXPECT_EQ(WriteBatch(t).Finish(), 1);
}

TEST_F(RecordFileTest, PerFileIndexRules) {
    // The class table refuses an index past its count before anything else but the protected
    // check; the weapon file refuses to read past its count.
    Write(FileId::Wcd, PatternFile(2, 60));
    TableFile& w = OpenTable(FileId::Wcd);
    Bytes rec;
    EXPECT_EQ(w.GetRecord(2, rec), 0);
    EXPECT_EQ(w.GetRecord(1, rec), 1);
}

TEST_F(RecordFileTest, FullFileTakesNoMoreRecords) {
    Write(FileId::Rkt, CountFile(0xFFFF, 6));
    TableFile& t = OpenTable(FileId::Rkt);
    ASSERT_EQ(t.RecordCount(), 0xFFFFu);
    int index = 0;
    Bytes rec(6, 1);
    EXPECT_EQ(t.AppendRecord(index, rec.data()), 0);
    EXPECT_EQ(Read(FileId::Rkt).size(), 2u + 0xFFFFu * 6);
    EXPECT_EQ(LoadLE<uint16_t>(Read(FileId::Rkt).data()), 0xFFFF);
}

// A sound table counts its records in 32 bits: only the real last record can be deleted, even
// past 65,535 records.
TEST_F(RecordFileTest, SoundDeleteComparesTheWholeCount) {
    const uint32_t count = 65537;
    Bytes b(8 + size_t(count) * 128, 0);
    StoreLE<uint32_t>(b.data(), 2);
    StoreLE<uint32_t>(b.data() + 4, count);
    Write(FileId::Sfx, b);
    TableFile& t = OpenTable(FileId::Sfx);
    ASSERT_EQ(t.RecordCount(), count);
    EXPECT_EQ(t.DeleteLastRecord(0), 0);
    EXPECT_EQ(t.RecordCount(), count);
    EXPECT_EQ(t.DeleteLastRecord(int(count - 1)), 1);
    EXPECT_EQ(t.RecordCount(), count - 1);
    const Bytes after = Read(FileId::Sfx);
    EXPECT_EQ(after.size(), 8 + size_t(count - 1) * 128);
    EXPECT_EQ(LoadLE<uint32_t>(after.data() + 4), count - 1);
}

TEST_F(RecordFileTest, InsertAndDeleteInsideTheFile) {
    Write(FileId::Fed, PatternFile(4, 32));
    TableFile& t = OpenTable(FileId::Fed);
    Bytes marker(32, 0xEE);
    ASSERT_EQ(t.InsertRecord(1, marker.data()), 1);
    ASSERT_EQ(t.RecordCount(), 5u);
    Bytes rec;
    int expectFrom[] = {0, -1, 1, 2, 3};
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(t.GetRecord(i, rec), 1);
        EXPECT_EQ(rec[5], expectFrom[i] < 0 ? 0xEE : PatternByte(expectFrom[i], 5)) << i;
    }
    ASSERT_EQ(t.InsertRecord(5, marker.data()), 1);  // at the end: an append
    EXPECT_EQ(t.InsertRecord(7, marker.data()), 0);
    ASSERT_EQ(t.DeleteRecord(5), 1);
    ASSERT_EQ(t.DeleteRecord(1), 1);
    EXPECT_EQ(t.DeleteRecord(4), 0);
    EXPECT_EQ(Read(FileId::Fed), PatternFile(4, 32));
}

TEST_F(RecordFileTest, MissingFileOffersTheDialogAndTreeFlag) {
    // The file is found through the dialog in a directory whose path holds "tree".
    std::string treeDir = Path("oldtree");
    ASSERT_EQ(::mkdir(treeDir.c_str(), 0755), 0);
    WriteBytes(treeDir + "/vantor.acd", CountFile(0, 52));
    WriteBytes(Path("vantortree.ocd"), CountFile(1, 54));
    WriteBytes(Path("vantor.ocd"), CountFile(2, 54));

    ui_.QueueFile(treeDir + "/vantor.acd");
    db_ = std::make_unique<Database>(ui_);
    ASSERT_EQ(db_->Table(FileId::Acd)->Open("vantor.acd", "/start/here", 1), 1);
    ASSERT_EQ(ui_.FileRequests().size(), 1u);
    const FileRequest& r = ui_.FileRequests()[0];
    EXPECT_EQ(r.initialName, "vantor.acd");
    EXPECT_EQ(r.initialDir, "/start/here");
    EXPECT_EQ(r.filter, "acd Files (*.acd)|*.acd|All Files (*.*)|*.*||");
    EXPECT_TRUE(r.mustExist);
    EXPECT_TRUE(db_->Context().treeFlag);
    EXPECT_EQ(db_->File(FileId::Acd).Path(), treeDir + "/vantor.acd");

    ASSERT_EQ(db_->Table(FileId::Ocd)->Open("vantor.ocd", "", 1), 1);
    EXPECT_EQ(db_->Table(FileId::Ocd)->RecordCount(), 1u);
    EXPECT_EQ(db_->File(FileId::Ocd).Path(), "vantortree.ocd");

    // Cancelling the dialog fails the open with the bare name in the message.
    ui_.Clear();
    TableFile& ct = *db_->Table(FileId::Ct);
    EXPECT_EQ(ct.Open("vantor.ct", "", 1), 0);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Can't open file vantor.ct"});
}

TEST_F(RecordFileTest, ASecondHolderCannotOpenTheFile) {
    Write(FileId::Vsd, CountFile(1, 20));
    TableFile& t = OpenTable(FileId::Vsd);
    (void)t;
    // Another program (a child process) finds the file held and gets the dialog.
    pid_t pid = ::fork();
    if (pid == 0) {
        ScriptedUi ui;
        Database other(ui);
        int ok = other.Table(FileId::Vsd)->Open("vantor.vsd", "", 1);
        bool dialog = ui.FileRequests().size() == 1;
        ::_exit(ok == 0 && dialog ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace tablon::test
