#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Settings.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/TablonDoc.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

class StartupTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WriteMinimalSet(Dir());
        ::unsetenv(kObjectDirEnv);
        ::setenv("XDG_CONFIG_HOME", Path("no-config").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", Path("no-config").c_str(), 1);
    }
    bool Start() {
        db_ = std::make_unique<Database>(ui_);
        return RunStartup(*db_);
    }
    ScriptedUi ui_;
    std::unique_ptr<Database> db_;
};

TEST_F(StartupTest, CompleteSetStartsSilently) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(ui_.Messages().empty());
    EXPECT_TRUE(ui_.FileRequests().empty());
    for (const auto& desc : FileDescs())
        EXPECT_EQ(db_->File(desc.id).Status().state, FileState::Ok) << desc.name;
}

TEST_F(StartupTest, MissingRequiredFileStopsTheSequence) {
    std::filesystem::remove(Path("vantor.ct"));
    ::setenv(kObjectDirEnv, "/games/vantor/objects", 1);
    EXPECT_FALSE(Start());
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Can't open file vantor.ct"});
    ASSERT_EQ(ui_.FileRequests().size(), 1u);
    EXPECT_EQ(ui_.FileRequests()[0].initialDir, "/games/vantor/objects");
    // The rows after the class table were never opened.
    EXPECT_EQ(db_->File(FileId::Fed).Status().state, FileState::Ok);
    for (const auto& desc : FileDescs()) {
        if (int(desc.id) > int(FileId::Ct)) {
            EXPECT_FALSE(db_->File(desc.id).IsOpen()) << desc.name;
        }
    }
}

TEST_F(StartupTest, RequiredFileOfWrongSizeEndsTheProgram) {
    Bytes b = CountFile(3, 336);
    b.pop_back();
    WriteBytes(Path("vantor.ucd"), b);
    EXPECT_FALSE(Start());
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{"UCD File size not the expected size - not 1.07?\n"
                                       "3 records indicated - looks like about 2 actual"});
    EXPECT_FALSE(db_->File(FileId::Ssd).IsOpen());
}

TEST_F(StartupTest, OptionalFiles) {
    // Absent: skipped without a word, no dialog, empty.
    std::filesystem::remove(Path("Vantor.ddp"));
    std::filesystem::remove(Path("VantorSndTbl.sfx"));
    // Present but of the wrong size: its message, and the program goes on.
    Bytes rkt = CountFile(4, 6);
    rkt.resize(rkt.size() - 2);
    WriteBytes(Path("Vantor.rkt"), rkt);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(ui_.FileRequests().empty());
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{"RKT File size not the expected size\n"
                                       "4 records indicated - looks like about 3 actual"});
    EXPECT_EQ(db_->Table(FileId::Ddp)->RecordCount(), 0u);
    EXPECT_EQ(db_->Table(FileId::Ddp)->LastIndex(), -1);
    EXPECT_EQ(db_->File(FileId::Ddp).Status().state, FileState::Unopened);
}

TEST_F(StartupTest, SoundFileVersionPicksTheRecordSize) {
    Bytes sfx(8 + 3 * 124, 0);
    StoreLE<uint32_t>(sfx.data(), 1);
    StoreLE<uint32_t>(sfx.data() + 4, 3);
    WriteBytes(Path("VantorSndTbl.sfx"), sfx);
    ASSERT_TRUE(Start());
    EXPECT_EQ(db_->Table(FileId::Sfx)->RecordSize(), 124);

    // The same file with version 2 would need 128-byte records.
    StoreLE<uint32_t>(sfx.data(), 2);
    WriteBytes(Path("VantorSndTbl.sfx"), sfx);
    ui_.Clear();
    ASSERT_TRUE(Start());
    EXPECT_EQ(ui_.Texts(),
              std::vector<std::string>{"SFX File size not the expected size\n"
                                       "3 records indicated - looks like about 2 actual"});
}

TEST_F(StartupTest, ObjectDirectoryPrecedence) {
    std::filesystem::create_directories(Path("user/tablon"));
    std::filesystem::create_directories(Path("system/tablon"));
    WriteBytes(Path("system/tablon/tablon.conf"),
               Bytes{'o', 'b', 'j', 'e', 'c', 't', 'D', 'i', 'r', '=', '/', 's'});
    std::string user = "# per user\n[Software\\Stonegate\\Vantor\\4.0]\nobjectDir = /u \n";
    WriteBytes(Path("user/tablon/tablon.conf"), Bytes(user.begin(), user.end()));
    ::setenv("XDG_CONFIG_DIRS", Path("system").c_str(), 1);
    EXPECT_EQ(ObjectDirectory().value_or("-"), "/s");
    ::setenv("XDG_CONFIG_HOME", Path("user").c_str(), 1);
    EXPECT_EQ(ObjectDirectory().value_or("-"), "/u");
    ::setenv(kObjectDirEnv, "/e", 1);
    EXPECT_EQ(ObjectDirectory().value_or("-"), "/e");
    ::unsetenv(kObjectDirEnv);

    std::string other = "[Elsewhere]\nobjectDir=/x\n";
    WriteBytes(Path("user/tablon/tablon.conf"), Bytes(other.begin(), other.end()));
    EXPECT_EQ(ObjectDirectory().value_or("-"), "/s");
}

TEST(TablonDocTest, TitleFollowsTheStoredName) {
    CTablonDoc doc;
    doc.SetTitle("anything");
    EXPECT_EQ(doc.Title(), "Vehicles");
    doc.OnNewDocument();
    doc.SetTitle("anything");
    EXPECT_EQ(doc.Title(), "vantor.vcd");
    doc.OnOpenDocument("/x/y.db");
    doc.SetTitle("other");
    EXPECT_EQ(doc.Title(), "/x/y.db");
    doc.SetTitleDirect("Weapons");
    EXPECT_EQ(doc.Title(), "Weapons");
}

}  // namespace
}  // namespace tablon::test
