// A database set in a temporary directory, opened, with the application shell on top and a
// scripted person.
#pragma once

#include <memory>

#include "classtable/CtFile.h"
#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "support/Fixture.h"

namespace tablon::test {

class ShellTest : public TempDirTest {
  protected:
    void TearDown() override {
        app_.reset();
        db_.reset();
        TempDirTest::TearDown();
    }
    // The minimal set with this many records in every file.
    void WriteSet(int records = 3) { WriteMinimalSet(Dir(), records); }
    // A class table of the given records.
    void WriteCt(const std::vector<CtRecord>& records) {
        Bytes b = CountFile(uint16_t(records.size()), CtRecord::kSize);
        for (size_t i = 0; i < records.size(); ++i)
            std::memcpy(b.data() + 2 + i * CtRecord::kSize, records[i].data(), CtRecord::kSize);
        WriteBytes(Path("vantor.ct"), b);
    }
    void Open() {
        db_ = std::make_unique<Database>(ui_);
        ASSERT_TRUE(db_->OpenAll("")) << testing::PrintToString(ui_.Texts());
        app_ = std::make_unique<CTablonApp>(*db_, ui_);
        app_->Frame().Tree().Build(*db_);
    }
    ShellContext& Ctx() { return app_->Context(); }
    CMainFrame& Frame() { return app_->Frame(); }
    // Opens a category as the tree does and returns its list view.
    CMvView& OpenList(const std::string& path) {
        std::string error;
        int item = Frame().Tree().FindPath(path, error);
        EXPECT_GE(item, 0) << error;
        Frame().OnTreeSelectionChanged(item);
        CMvView* view = Frame().View() ? Frame().View()->AsList() : nullptr;
        EXPECT_NE(view, nullptr);
        return *view;
    }
    std::vector<int> Order(const CMvView& v) const {
        std::vector<int> out;
        for (int r = 0; r < v.RowCount(); ++r) out.push_back(v.ItemData(r));
        return out;
    }

    ScriptedUi ui_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<CTablonApp> app_;
};

}  // namespace tablon::test
