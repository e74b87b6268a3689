// Damaged database sets: for each of the 23 files, variants cut short, with counts that
// disagree with the size, with garbage, and (for the model header) with counts and offsets
// that point past the end. Each set opens or is refused with the system's message; when it
// opens, every category fills, every row shows its text and its detail dialog, and no byte of
// any file changes.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "classtable/CtFile.h"
#include "classtable/CtRecord.h"
#include "models/ModelDialogs.h"
#include "models/ModelFiles.h"
#include "sample/Sample.h"
#include "shell/Canvas.h"
#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/FieldTable.h"
#include "store/WriteFaults.h"
#include "support/Fixture.h"

namespace tablon::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, Bytes>;

struct Variant {
    std::string name;
    Bytes bytes;
};

Bytes Garbage(size_t size, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes b(size);
    for (auto& v : b) v = uint8_t(rng());
    return b;
}

Bytes Cut(const Bytes& b, size_t size) {
    return Bytes(b.begin(), b.begin() + std::min(size, b.size()));
}

template <typename T>
Bytes With(Bytes b, size_t at, T value) {
    if (at + sizeof(T) <= b.size()) StoreLE<T>(b.data() + at, value);
    return b;
}

// The variants every file gets: cut short, and garbage of the same size.
void AddCommon(std::vector<Variant>& out, const Bytes& b, size_t header, size_t record,
               uint32_t seed) {
    out.push_back({"empty", {}});
    out.push_back({"one byte", Cut(b, 1)});
    out.push_back({"header only", Cut(b, header)});
    out.push_back({"mid-record", Cut(b, header + record + record / 2)});
    out.push_back({"garbage", Garbage(b.size(), seed)});
}

// Variants of a file of records behind a count: counts that disagree with the size, and sets
// that open with records that are garbage, all bits set, or fewer than the others expect.
void AddRecordVariants(std::vector<Variant>& out, const Bytes& b, size_t header, size_t record,
                       uint32_t seed, bool wide) {
    AddCommon(out, b, header, record, seed);
    const uint32_t count = wide ? LoadLE<uint32_t>(b.data() + 4) : LoadLE<uint16_t>(b.data());
    auto counted = [&](uint32_t n) {
        return wide ? With<uint32_t>(b, 4, n) : With<uint16_t>(b, 0, uint16_t(n));
    };
    out.push_back({"count 0", counted(0)});
    out.push_back({"count 1", counted(1)});
    out.push_back({"count 65535", counted(65535)});
    if (wide) out.push_back({"count 4294967295", counted(0xFFFFFFFF)});
    Bytes empty = counted(0);
    out.push_back({"no records", Cut(empty, header)});
    Bytes half = counted(count / 2);
    out.push_back({"half the records", Cut(half, header + record * (count / 2))});
    Bytes rubbish = b;
    Bytes noise = Garbage(b.size(), seed + 1);
    std::copy(noise.begin() + long(header), noise.end(), rubbish.begin() + long(header));
    out.push_back({"garbage records", rubbish});
    Bytes ones = b;
    std::fill(ones.begin() + long(header), ones.end(), 0xFF);
    out.push_back({"records all ones", ones});
}

// The model header: each count and each offset it holds pointing past the end of its file.
void AddHeaderVariants(std::vector<Variant>& out, const Bytes& b) {
    const HdrLayout l = ComputeHdrLayout(b.data(), b.size());
    ASSERT_TRUE(l.valid);
    const std::vector<std::pair<std::string, uint64_t>> counts = {{"colours", 4},
                                                                  {"palettes", l.paletteTable - 4},
                                                                  {"textures", l.textureTable - 8},
                                                                  {"LODs", l.lodTable - 4},
                                                                  {"parents", l.parentTable - 4}};
    for (const auto& [what, at] : counts) {
        out.push_back({what + " count past the end", With<uint32_t>(b, at, 0xFFFFFFF0)});
        out.push_back({what + " count one too many",
                       With<uint32_t>(b, at, LoadLE<uint32_t>(b.data() + at) + 1)});
    }
    Bytes tex = b, lod = b, parents = b, negative = b;
    for (uint32_t i = 0; i < l.textures; ++i) {
        const uint64_t at = l.textureTable + 40 * i;
        StoreLE<uint32_t>(tex.data() + at, 0xFFFFFF00u - i);  // offset
        StoreLE<uint32_t>(tex.data() + at + 4, 0x7FFFFFFF);   // size
        StoreLE<uint32_t>(tex.data() + at + 32, 0xFFFF);      // palette
    }
    for (uint32_t i = 0; i < l.lods; ++i) {
        const uint64_t at = l.lodTable + 20 * i;
        StoreLE<uint32_t>(lod.data() + at + 12, 0xFFFFFF00u - i);
        StoreLE<uint32_t>(lod.data() + at + 16, 0x7FFFFFFF);
    }
    for (uint32_t i = 0; i < l.parents; ++i) {
        const uint64_t at = l.parentTable + 48 * i;
        StoreLE<int16_t>(parents.data() + at + 38, 0x7FFF);  // dynamic
        parents[at + 40] = 0xFF;                             // LODs
        parents[at + 43] = 0x7F;                             // slots
        StoreLE<int16_t>(negative.data() + at + 38, -0x8000);
        negative[at + 43] = 0x80;
    }
    out.push_back({"texture offsets past the end", tex});
    out.push_back({"LOD offsets past the end", lod});
    out.push_back({"parent blocks past the end", parents});
    out.push_back({"parent blocks of negative size", negative});
}

// A person who looks at every drawing of a dialog, then cancels it. In a parent's dialog he
// also opens the viewer and the information of each of its LODs and fetches each of its
// textures (each LOD and texture once a set).
class LookingUi : public ScriptedUi {
  protected:
    void Modal(Form& f) override {
        for (const Control& c : f.Controls()) {
            if (c.kind != ControlKind::Canvas) continue;
            RecordingCanvas canvas(std::max(1, c.rect.Width()), std::max(1, c.rect.Height()));
            f.Paint(c.id, canvas);
        }
        if (dynamic_cast<CParentDialog*>(&f)) {
            using D = CParentDialog;
            for (const auto& [list, buttons] :
                 {std::pair{D::kLodList, std::vector<int>{D::kView, D::kLodButton}},
                  std::pair{D::kTexList, std::vector<int>{D::kGetTexture}}}) {
                for (size_t row = 0; row < f.Rows(list).size(); ++row) {
                    if (!seen_.insert(f.Rows(list)[row].cells).second) continue;
                    for (int button : buttons) {
                        f.SetSelected(list, int(row));
                        f.Press(button);
                    }
                }
            }
        }
        ScriptedUi::Modal(f);
    }

  private:
    std::set<std::vector<std::string>> seen_;
};

class HostileSetTest : public TempDirTest {
  protected:
    // Nothing is to be written; what the open and the journal flush anyway costs disk time.
    void SetUp() override {
        TempDirTest::SetUp();
        WriteFaults::SetFlushes(false);
    }
    void TearDown() override {
        WriteFaults::SetFlushes(true);
        TempDirTest::TearDown();
    }

    // The sample set cut to a few records a file, to keep the walks short: the first records
    // of each file, and a class table of just the entries they name (renumbered). What else
    // they refer to is left dangling, which is part of the test.
    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/tablon-hostile-XXXXXX";
        const std::string dir = ::mkdtemp(tmpl);
        const fs::path oldCwd = fs::current_path();
        fs::current_path(dir);
        WriteFaults::SetFlushes(false);
        std::string error;
        ASSERT_TRUE(WriteSampleDatabase(dir, SampleScale::Demo, error)) << error;
        std::vector<int> kept;  // class-table entries kept, ascending
        {
            ScriptedUi ui;
            Database db(ui);
            ASSERT_TRUE(db.OpenAll(""));
            std::vector<std::pair<TableFile*, const Field*>> users;
            for (const auto& desc : FileDescs()) {
                TableFile* t = db.Table(desc.id);
                const Field* f = FieldTableOf(desc.id).Find("ct_index");
                if (!t || !f || desc.id == FileId::Ct) continue;
                users.push_back({t, f});
                for (int i = 0; i < std::min<int>(kRecords, int(t->RecordCount())); ++i) {
                    Bytes r;
                    ASSERT_EQ(t->GetRecord(i, r), 1);
                    const int ct = std::stoi(FormatElement(*f, r.data()));
                    if (ct >= 0 && ct < int(db.Ct().RecordCount())) kept.push_back(ct);
                }
            }
            std::sort(kept.begin(), kept.end());
            kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
            for (const auto& [t, f] : users) {
                for (int i = 0; i < std::min<int>(kRecords, int(t->RecordCount())); ++i) {
                    Bytes r;
                    t->GetRecord(i, r);
                    const int ct = std::stoi(FormatElement(*f, r.data()));
                    const auto at = std::lower_bound(kept.begin(), kept.end(), ct);
                    if (at == kept.end() || *at != ct) continue;
                    ASSERT_TRUE(
                        ParseElement(*f, r.data(), 0, std::to_string(at - kept.begin()), error));
                    ASSERT_EQ(t->SetRecord(i, r), 1);
                }
            }
        }
        base_ = new Files;
        for (const auto& desc : FileDescs()) {
            Bytes b = ReadBytes(dir + "/" + desc.name);
            if (desc.id == FileId::Ct) {
                Bytes ct(2 + kept.size() * CtRecord::kSize);
                StoreLE<uint16_t>(ct.data(), uint16_t(kept.size()));
                for (size_t j = 0; j < kept.size(); ++j)
                    std::copy_n(b.begin() + 2 + long(kept[j]) * CtRecord::kSize, CtRecord::kSize,
                                ct.begin() + 2 + long(j) * CtRecord::kSize);
                b = ct;
            } else if (desc.header == HeaderKind::Count16) {
                const uint16_t n0 = LoadLE<uint16_t>(b.data());
                const uint16_t n = std::min<uint16_t>(n0, kRecords);
                const size_t size = n0 ? (b.size() - 2) / n0 : 0;
                StoreLE<uint16_t>(b.data(), n);
                b.resize(2 + n * size);
            } else if (desc.header == HeaderKind::Sound) {
                const uint32_t n0 = LoadLE<uint32_t>(b.data() + 4);
                const uint32_t n = std::min<uint32_t>(n0, kRecords);
                const size_t size = n0 ? (b.size() - 8) / n0 : 0;
                StoreLE<uint32_t>(b.data() + 4, n);
                b.resize(8 + n * size);
            }
            (*base_)[desc.name] = b;
        }
        WriteFaults::SetFlushes(true);
        fs::current_path(oldCwd);
        fs::remove_all(dir);
    }
    static void TearDownTestSuite() {
        delete base_;
        base_ = nullptr;
    }

    Files Snapshot() const {
        Files f;
        for (const auto& desc : FileDescs())
            if (fs::exists(Path(desc.name))) f[desc.name] = ReadBytes(Path(desc.name));
        return f;
    }

    // Every category of the tree, every row of every list with its detail dialog; every
    // drawing area of a dialog is painted.
    static void Walk(Database& db, ScriptedUi& ui, int& rows) {
        CTablonApp app(db, ui);
        app.Start();
        CMainFrame& frame = app.Frame();
        const CVantorTree& tree = frame.Tree();
        for (int item = 0; item < tree.ItemCount(); ++item) {
            SCOPED_TRACE(tree.PathOf(item));
            frame.OnTreeSelectionChanged(item);
            if (!frame.View()) continue;
            CMvView* list = frame.View()->AsList();
            if (!list) continue;
            const size_t d0 = ui.Dialogs().size();
            for (int row = 0; row < list->RowCount(); ++row, ++rows) {
                (void)list->ItemText(row);
                for (int c = 0; c < list->ColumnCount(); ++c) (void)list->CellText(row, c);
                list->OnDoubleClick(row);
            }
            // A list opens a dialog for every row or has none.
            const size_t opened = ui.Dialogs().size() - d0;
            EXPECT_TRUE(opened == 0 || opened >= size_t(list->RowCount()));
        }
    }

    // Writes the base set with one file replaced, opens it, walks it, and checks that it
    // either opened or said why not, and that no file changed.
    void Run(const std::string& file, const Variant& v, int& opened, int& rows, int& dialogs) {
        SCOPED_TRACE(file + ": " + v.name);
        fs::remove_all(Path(".tablon"));
        for (const auto& [name, bytes] : *base_)
            WriteBytes(Path(name), name == file ? v.bytes : bytes);
        const Files before = Snapshot();
        {
            LookingUi ui;
            ui.SetDefaultAnswer(Answer::No);
            Database db(ui);
            WriteFaults::Disarm();
            if (db.OpenAll("")) {
                ++opened;
                Walk(db, ui, rows);
                dialogs += int(ui.Dialogs().size());
            } else {
                EXPECT_FALSE(ui.Texts().empty()) << "refused without a word";
            }
            EXPECT_EQ(WriteFaults::Count(), 0u) << "a write was attempted";
        }
        EXPECT_TRUE(Snapshot() == before) << "a file changed";
    }

    static constexpr uint16_t kRecords = 12;
    static inline Files* base_ = nullptr;
};

TEST_F(HostileSetTest, EveryFileDamagedInEveryWay) {
    const auto start = std::chrono::steady_clock::now();
    int variants = 0, opened = 0, rows = 0, dialogs = 0;
    uint32_t seed = 1;
    for (const auto& desc : FileDescs()) {
        const Bytes& b = base_->at(desc.name);
        std::vector<Variant> vs;
        switch (desc.header) {
            case HeaderKind::Count16:
                AddRecordVariants(vs, b, 2, desc.forms.front().fileSize, seed, false);
                break;
            case HeaderKind::Sound:
                AddRecordVariants(vs, b, 8, (b.size() - 8) / LoadLE<uint32_t>(b.data() + 4), seed,
                                  true);
                break;
            case HeaderKind::Model:
                AddCommon(vs, b, desc.id == FileId::Hdr ? 36 : 8, 64, seed);
                if (desc.id == FileId::Hdr) AddHeaderVariants(vs, b);
                break;
        }
        seed += 7;
        for (const Variant& v : vs) {
            Run(desc.name, v, opened, rows, dialogs);
            ++variants;
            if (HasFatalFailure()) return;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d variants, %d opened, %d rows shown, %d dialogs, %.2f s\n", variants, opened,
                rows, dialogs, seconds);
    EXPECT_GT(opened, 100);
    EXPECT_GT(dialogs, rows / 2);
}

}  // namespace
}  // namespace tablon::test
