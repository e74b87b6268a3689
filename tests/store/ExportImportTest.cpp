#include <gtest/gtest.h>

#include "classtable/CtFile.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/ExportImport.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

class ExportImportTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WriteMinimalSet(Dir());
    }
    void Start() {
        db_ = std::make_unique<Database>(ui_);
        ASSERT_TRUE(db_->OpenAll(""));
        ui_.Clear();
    }
    static Bytes Entry(uint32_t code, uint32_t index, const Bytes& data, uint32_t size = ~0u) {
        Bytes e(12);
        StoreLE<uint32_t>(e.data(), code);
        StoreLE<uint32_t>(e.data() + 4, size == ~0u ? uint32_t(data.size()) : size);
        StoreLE<uint32_t>(e.data() + 8, index);
        e.insert(e.end(), data.begin(), data.end());
        return e;
    }
    int Import(const Bytes& file) {
        WriteBytes(Path("in.vte"), file);
        return ImportFile(*db_, Path("in.vte"), ui_);
    }
    ScriptedUi ui_;
    std::unique_ptr<Database> db_;
};

TEST_F(ExportImportTest, ExportingTwiceAppendsTwoEntries) {
    WriteBytes(Path("vantor.ct"), PatternFile(8, 81));
    Start();
    ui_.QueueFile(Path("out.vte"));
    ui_.QueueFile(Path("out.vte"));
    ASSERT_TRUE(ExportItem(*db_, FileId::Ct, 5, ui_));
    ASSERT_TRUE(ExportItem(*db_, FileId::Ct, 5, ui_));
    Bytes out = ReadBytes(Path("out.vte"));
    ASSERT_EQ(out.size(), 186u);
    EXPECT_EQ(LoadLE<uint32_t>(out.data()), 0u);
    EXPECT_EQ(LoadLE<uint32_t>(out.data() + 4), 81u);
    EXPECT_EQ(LoadLE<uint32_t>(out.data() + 8), 5u);
    EXPECT_EQ(out[12], PatternByte(5, 0));
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + 93, out.begin() + 93));
    const FileRequest& r = ui_.FileRequests()[0];
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.title, "Export records to");
    EXPECT_EQ(r.filter, "EXPORT Data Files(*.vte)|*.vte|All Files (*.*)|*.*||");
    EXPECT_EQ(r.defaultExt, "vte");

    // Into a class table of three records: asked twice, refused twice.
    WriteBytes(Path("vantor.ct"), PatternFile(3, 81));
    Start();
    ui_.QueueAnswer(Answer::Yes);
    ui_.QueueAnswer(Answer::Yes);
    EXPECT_EQ(ImportFile(*db_, Path("out.vte"), ui_), 0);
    EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{"Overwrite CT record 5?", "Import failed",
                                                     "Overwrite CT record 5?", "Import failed"}));
    EXPECT_EQ(ui_.Messages()[0].buttons, Buttons::YesNoCancel);
}

TEST_F(ExportImportTest, ExportFailsForUnreadableRecordOrFile) {
    Start();
    ui_.QueueFile(Path("out.vte"));
    EXPECT_FALSE(ExportItem(*db_, FileId::Ct, 99, ui_));
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Export failed"});
    ui_.Clear();
    ui_.QueueFile(Path("no/such/dir/out.vte"));
    EXPECT_FALSE(ExportItem(*db_, FileId::Ct, 0, ui_));
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Export failed"});
    // Cancelling the dialog writes nothing and says nothing.
    ui_.Clear();
    EXPECT_FALSE(ExportItem(*db_, FileId::Ct, 0, ui_));
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(ExportImportTest, ImportOverwritesMatchingRecords) {
    Start();
    Bytes feature(60, 0x42);
    ui_.QueueAnswer(Answer::Yes);
    EXPECT_EQ(Import(Entry(13, 2, feature)), 1);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Overwrite FCD record 2?"});
    Bytes rec;
    ASSERT_EQ(db_->Table(FileId::Fcd)->GetRecord(2, rec), 1);
    EXPECT_EQ(rec, feature);

    // Point data accepts nothing; a record of the other vehicle size neither.
    ui_.Clear();
    ui_.QueueAnswer(Answer::Yes);
    ui_.QueueAnswer(Answer::Yes);
    Bytes f = Entry(15, 0, Bytes(12, 1));
    Bytes v = Entry(5, 0, Bytes(156, 1));
    f.insert(f.end(), v.begin(), v.end());
    EXPECT_EQ(Import(f), 0);
    EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{"Overwrite PD record 0?", "Import failed",
                                                     "Overwrite VCD record 0?", "Import failed"}));
}

TEST_F(ExportImportTest, OlderLayoutRecordsMoveBetweenOlderFiles) {
    WriteBytes(Path("vantor.vcd"), PatternFile(3, 156));
    Start();
    ui_.QueueFile(Path("v.vte"));
    ASSERT_TRUE(ExportItem(*db_, FileId::Vcd, 2, ui_));
    Bytes out = ReadBytes(Path("v.vte"));
    ASSERT_EQ(out.size(), 12u + 156u);
    EXPECT_EQ(LoadLE<uint32_t>(out.data() + 4), 156u);
    // The entry holds the record as its file holds it.
    EXPECT_EQ(out[12 + 20], PatternByte(2, 20));

    ui_.QueueAnswer(Answer::Yes);
    StoreLE<uint32_t>(out.data() + 8, 0);
    EXPECT_EQ(Import(out), 1);
    Bytes file = ReadBytes(Path("vantor.vcd"));
    EXPECT_TRUE(std::equal(file.begin() + 2, file.begin() + 2 + 156, file.begin() + 2 + 2 * 156));
}

TEST_F(ExportImportTest, AnswersAndCancel) {
    Start();
    Bytes three;
    for (int i = 0; i < 3; ++i) {
        Bytes e = Entry(1, uint32_t(i), Bytes(52, 0x11));
        three.insert(three.end(), e.begin(), e.end());
    }
    Bytes before = ReadBytes(Path("vantor.acd"));
    ui_.QueueAnswer(Answer::Cancel);
    EXPECT_EQ(Import(three), 0);
    EXPECT_EQ(ui_.Texts().size(), 1u);
    EXPECT_EQ(ReadBytes(Path("vantor.acd")), before);

    ui_.Clear();
    ui_.QueueAnswer(Answer::No);
    ui_.QueueAnswer(Answer::Yes);
    ui_.QueueAnswer(Answer::Cancel);
    EXPECT_EQ(Import(three), 1);
    EXPECT_EQ(ui_.Texts(),
              (std::vector<std::string>{"Overwrite ACD record 0?", "Overwrite ACD record 1?",
                                        "Overwrite ACD record 2?"}));
}

TEST_F(ExportImportTest, ProtectedRecordShowsItsMessageFirst) {
    WriteBytes(Path("vantor.ct"), PatternFile(1900, 81));
    Start();
    ui_.QueueAnswer(Answer::Yes);
    ui_.QueueAnswer(Answer::Yes);
    Bytes file = Entry(0, 1860, Bytes(81, 0));
    Bytes next = Entry(0, 1861, Bytes(81, 0));
    file.insert(file.end(), next.begin(), next.end());
    EXPECT_EQ(Import(file), 1);
    EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{
                               "Overwrite CT record 1860?",
                               "This is an exe hardcoded used CT record and can't be changed",
                               "Import failed", "Overwrite CT record 1861?"}));
}

TEST_F(ExportImportTest, MalformedFiles) {
    Start();
    // Empty: ends at once.
    EXPECT_EQ(Import({}), 0);
    EXPECT_TRUE(ui_.Messages().empty());

    // Unknown codes are skipped with a message; a negative index is refused by the file.
    ui_.QueueAnswer(Answer::Yes);
    Bytes f = Entry(99, 0, Bytes(5, 0));
    Bytes neg = Entry(4, 0xFFFFFFFFu, Bytes(20, 0));
    f.insert(f.end(), neg.begin(), neg.end());
    EXPECT_EQ(Import(f), 0);
    EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{"Unknown record type",
                                                     "Overwrite VSD record -1?", "Import failed"}));

    // A size field larger than the rest of the file, and an entry that ends early: the entries
    // before are offered, then the import ends quietly.
    for (uint32_t size : {0xFFFFFFF0u, 40u}) {
        ui_.Clear();
        ui_.QueueAnswer(Answer::No);
        Bytes g = Entry(6, 0, Bytes(20, 0));
        Bytes bad = Entry(6, 1, Bytes(20, 0), size);
        g.insert(g.end(), bad.begin(), bad.end());
        EXPECT_EQ(Import(g), 0);
        EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Overwrite ICD record 0?"});
    }
    // A header cut short.
    ui_.Clear();
    EXPECT_EQ(Import(Bytes{1, 0, 0, 0, 20}), 0);
    EXPECT_TRUE(ui_.Messages().empty());
}

}  // namespace
}  // namespace tablon::test
