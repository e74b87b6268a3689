// Runs of feature entries and points: inserts and deletes move the later records of the file,
// every owner with a higher index is re-indexed, and the owner's count lands in the same
// operation. Checked on the bytes of the files.
#include <gtest/gtest.h>

#include "objectives/ObjectiveFixture.h"
#include "objectives/Runs.h"

namespace tablon::test {
namespace {

// Objective 2 is an empty slot, 3 has no entries; both sit where 4's run begins.
class EntryRunTest : public ObjectiveTest {
  protected:
    void SetUp() override {
        ObjectiveTest::SetUp();
        WriteObjectiveFiles(
            {MakeObjective("A", 0, 2), MakeObjective("B", 2, 3), MakeObjective("", 5, 0),
             MakeObjective("D", 5, 0), MakeObjective("E", 5, 2)},
            Entries(7));
        Open();
    }
    bool Insert(int owner, uint32_t pos, int id, std::string& message) {
        ObjectiveRecord copy;
        EXPECT_TRUE(db_->Table(FileId::Ocd)->GetRecord(owner, copy.data()));
        const FeatureEntryRecord e = MakeEntry(id);
        const bool ok = InsertMember(*db_, EntryRuns(), owner, copy.data(), pos, e.data(), message);
        copy_ = copy;
        return ok;
    }
    bool Delete(int owner, uint32_t pos, std::string& message) {
        ObjectiveRecord copy;
        EXPECT_TRUE(db_->Table(FileId::Ocd)->GetRecord(owner, copy.data()));
        const bool ok = DeleteMember(*db_, EntryRuns(), owner, copy.data(), pos, message);
        copy_ = copy;
        return ok;
    }
    ObjectiveRecord copy_;
    std::string message_;
};

TEST_F(EntryRunTest, InsertMovesTheLaterRecordsAndEveryLaterOwnerByIndex) {
    const ObjectiveRecord before0 = OcdOnDisk(0);
    ASSERT_TRUE(Insert(1, 3, 50, message_)) << message_;
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 2, 50, 3, 4, 5, 6}));
    // The empty slot and the run without entries move too; objective 1's own first does not.
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 2, 6, 6, 6}));
    EXPECT_EQ(OcdOnDisk(1).FeatureEntryCount(), 4) << "the count lands with the re-indexing";
    EXPECT_EQ(copy_.FeatureEntryCount(), 4);
    EXPECT_EQ(std::memcmp(OcdOnDisk(0).data(), before0.data(), ObjectiveRecord::kSize), 0);
    EXPECT_EQ(OcdOnDisk(4).FeatureEntryCount(), 2);
}

TEST_F(EntryRunTest, AddAfterTheLastEntryTakesTheNextRunsFirstIndexWhichMovesUp) {
    ASSERT_TRUE(Insert(1, 5, 50, message_)) << message_;
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 2, 3, 4, 50, 5, 6}));
    EXPECT_EQ(OcdOnDisk(4).FirstFeatureEntry(), 6);
    // At the end of the file an insert is an append.
    ASSERT_TRUE(Insert(4, 8, 60, message_)) << message_;
    EXPECT_EQ(FedIds().back(), 60);
    EXPECT_EQ(OcdOnDisk(4).FeatureEntryCount(), 3);
}

TEST_F(EntryRunTest, DeleteShrinksTheRunAndTheOnlyEntryLeavesCountZeroAndTheFirstAsItWas) {
    ASSERT_TRUE(Delete(1, 3, message_)) << message_;
    EXPECT_EQ(FedIds(), (std::vector<int>{0, 1, 2, 4, 5, 6}));
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 2, 4, 4, 4}));
    EXPECT_EQ(OcdOnDisk(1).FeatureEntryCount(), 2);
    ASSERT_TRUE(Delete(4, 4, message_));
    ASSERT_TRUE(Delete(4, 4, message_));
    EXPECT_EQ(OcdOnDisk(4).FeatureEntryCount(), 0);
    EXPECT_EQ(OcdOnDisk(4).FirstFeatureEntry(), 4);
    EXPECT_FALSE(Delete(4, 4, message_)) << "an empty run has nothing to delete";
}

TEST_F(EntryRunTest, PositionsOutsideTheRunAreRefusedAndChangeNothing) {
    const Bytes fed = FileBytes("vantor.fed"), ocd = FileBytes("vantor.ocd");
    EXPECT_FALSE(Insert(1, 6, 50, message_));
    EXPECT_EQ(message_, "Position 6 is outside the run (2 to 5)");
    EXPECT_FALSE(Insert(1, 1, 50, message_));
    EXPECT_FALSE(Delete(1, 5, message_));
    EXPECT_EQ(FileBytes("vantor.fed"), fed);
    EXPECT_EQ(FileBytes("vantor.ocd"), ocd);
}

TEST_F(ObjectiveTest, AFullRunOrAFullFileRefusesAnInsertAndChangesNothing) {
    WriteObjectiveFiles({MakeObjective("A", 0, 255), MakeObjective("B", 255, 1)}, Entries(256));
    Open();
    const Bytes fed = FileBytes("vantor.fed"), ocd = FileBytes("vantor.ocd");
    ObjectiveRecord copy = OcdOnDisk(0);
    std::string message;
    const FeatureEntryRecord e = MakeEntry(9);
    EXPECT_FALSE(InsertMember(*db_, EntryRuns(), 0, copy.data(), 3, e.data(), message));
    EXPECT_EQ(message, "A run holds at most 255 feature entries: nothing was added");
    EXPECT_EQ(copy.FeatureEntryCount(), 255);
    EXPECT_EQ(FileBytes("vantor.fed"), fed);
    EXPECT_EQ(FileBytes("vantor.ocd"), ocd);

    app_.reset();
    db_.reset();
    WriteObjectiveFiles({MakeObjective("A", 0, 1)}, Entries(65535));
    Open();
    copy = OcdOnDisk(0);
    EXPECT_FALSE(InsertMember(*db_, EntryRuns(), 0, copy.data(), 0, e.data(), message));
    EXPECT_EQ(message, "vantor.fed cannot hold more than 65535 records");
    EXPECT_EQ(FileBytes("vantor.fed").size(), 2u + 65535u * 32u);
}

TEST_F(ObjectiveTest, ReindexingWrapsModulo65536) {
    WriteObjectiveFiles(
        {MakeObjective("A", 0, 1), MakeObjective("B", 65535, 0), MakeObjective("C", 0, 1)},
        Entries(2));
    Open();
    ObjectiveRecord copy = OcdOnDisk(0);
    std::string message;
    const FeatureEntryRecord e = MakeEntry(9);
    ASSERT_TRUE(InsertMember(*db_, EntryRuns(), 0, copy.data(), 1, e.data(), message));
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 0, 1}));
    ASSERT_TRUE(DeleteMember(*db_, EntryRuns(), 0, copy.data(), 0, message));
    EXPECT_EQ(FirstEntries(), (std::vector<int>{0, 65535, 0}));
}

// Header 0 belongs to nobody; 2 has no points and a stale first index; 4 has none after the
// last header with points.
class PointRunTest : public ObjectiveTest {
  protected:
    void SetUp() override {
        ObjectiveTest::SetUp();
        WriteObjectiveFiles({MakeObjective("A", 0, 0)}, {},
                            {MakeHeader(65535, 0, 0), MakeHeader(0, 0, 3), MakeHeader(0, 9, 0),
                             MakeHeader(0, 3, 2), MakeHeader(0, 5, 0)},
                            Points(5));
        Open();
    }
    std::vector<int> Firsts() {
        std::vector<int> out;
        for (int i = 0; i < 5; ++i) out.push_back(PhdOnDisk(i).FirstPoint());
        return out;
    }
    std::vector<float> Xs() {
        const Bytes b = FileBytes("vantor.pd");
        std::vector<float> out;
        for (size_t i = 0; i < LoadLE<uint16_t>(b.data()); ++i)
            out.push_back(LoadLE<float>(b.data() + 2 + i * 12));
        return out;
    }
    bool Insert(int header, uint32_t pos) {
        PointHeaderRecord copy = PhdOnDisk(header);
        const PointRecord p = MakePoint(77);
        return InsertMember(*db_, PointRuns(), header, copy.data(), pos, p.data(), message_);
    }
    std::string message_;
};

TEST_F(PointRunTest, AddAfterWithoutPointsGoesBehindTheNearestEarlierRunAndTheHeaderFollows) {
    const uint32_t pos = PositionBehindEarlierRun(*db_, PointRuns(), 2);
    EXPECT_EQ(pos, 3u);
    ASSERT_TRUE(Insert(2, pos)) << message_;
    EXPECT_EQ(Xs(), (std::vector<float>{0, 1, 2, 77, 3, 4}));
    EXPECT_EQ(Firsts(), (std::vector<int>{0, 0, 3, 4, 6}));
    EXPECT_EQ(PhdOnDisk(2).PointCount(), 1);
    // After the last header with points: behind it, at the end of the file.
    EXPECT_EQ(PositionBehindEarlierRun(*db_, PointRuns(), 4), 6u);
    EXPECT_EQ(PositionBehindEarlierRun(*db_, PointRuns(), 1), 0u) << "no earlier run: 0";
}

TEST_F(PointRunTest, AnInsertAtAHeadersFirstPointLeavesThatHeaderWhereItIs) {
    ASSERT_TRUE(Insert(3, 3)) << message_;
    EXPECT_EQ(Xs(), (std::vector<float>{0, 1, 2, 77, 3, 4}));
    EXPECT_EQ(Firsts(), (std::vector<int>{0, 0, 9, 3, 6}));
    EXPECT_EQ(PhdOnDisk(3).PointCount(), 3);
    PointHeaderRecord copy = PhdOnDisk(3);
    ASSERT_TRUE(DeleteMember(*db_, PointRuns(), 3, copy.data(), 4, message_));
    EXPECT_EQ(Xs(), (std::vector<float>{0, 1, 2, 77, 4}));
    EXPECT_EQ(Firsts(), (std::vector<int>{0, 0, 9, 3, 5}));
    EXPECT_EQ(copy.PointCount(), 2);
}

}  // namespace
}  // namespace tablon::test
