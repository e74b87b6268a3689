// A database set whose objective, entry, header and point files are built record by record, with
// the shell on top and the command line at hand.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "objectives/FeatureEntryRecord.h"
#include "objectives/ObjectiveRecord.h"
#include "objectives/PointRecords.h"
#include "shell/ShellTestFixture.h"
#include "support/CliRunner.h"

namespace tablon::test {

inline ObjectiveRecord MakeObjective(const std::string& name, uint16_t first, uint8_t count,
                                     int16_t ct = 0) {
    ObjectiveRecord o;
    StoreText(o.data() + ObjectiveRecord::kName, ObjectiveRecord::kNameSize, name);
    o.Set<uint16_t>(ObjectiveRecord::kFirstFeatureEntry, first);
    o.b[ObjectiveRecord::kFeatureEntryCount] = count;
    o.Set<int16_t>(ObjectiveRecord::kCtIndex, ct);
    return o;
}

// Entry i of a test file: its class-table index and x offset tell it apart.
inline FeatureEntryRecord MakeEntry(int i) {
    FeatureEntryRecord e;
    e.Set<uint16_t>(FeatureEntryRecord::kCtIndex, uint16_t(100 + i));
    e.Set<float>(FeatureEntryRecord::kX, float(i) + 0.25f);
    return e;
}

inline PointHeaderRecord MakeHeader(uint16_t objective, uint16_t first, uint8_t count) {
    PointHeaderRecord h;
    h.Set<uint16_t>(PointHeaderRecord::kObjective, objective);
    h.Set<uint16_t>(PointHeaderRecord::kFirstPoint, first);
    h.b[PointHeaderRecord::kPointCount] = count;
    return h;
}

inline PointRecord MakePoint(int i) {
    PointRecord p;
    p.Set<float>(PointRecord::kX, float(i));
    p.b[PointRecord::kType] = uint8_t(i % 30);
    return p;
}

class ObjectiveTest : public ShellTest, protected CliRunner {
  protected:
    using CliRunner::Run;

    template <typename R>
    static Bytes FileOf(const std::vector<R>& records) {
        Bytes b = CountFile(uint16_t(records.size()), uint16_t(R::kSize));
        for (size_t i = 0; i < records.size(); ++i)
            std::memcpy(b.data() + 2 + i * R::kSize, records[i].data(), R::kSize);
        return b;
    }
    static std::vector<FeatureEntryRecord> Entries(int n) {
        std::vector<FeatureEntryRecord> out;
        for (int i = 0; i < n; ++i) out.push_back(MakeEntry(i));
        return out;
    }
    static std::vector<PointRecord> Points(int n) {
        std::vector<PointRecord> out;
        for (int i = 0; i < n; ++i) out.push_back(MakePoint(i));
        return out;
    }
    // The minimal set with these objective files; not opened.
    void WriteObjectiveFiles(const std::vector<ObjectiveRecord>& objectives,
                             const std::vector<FeatureEntryRecord>& entries,
                             const std::vector<PointHeaderRecord>& headers = {},
                             const std::vector<PointRecord>& points = {}) {
        WriteSet();
        WriteBytes(Path("vantor.ocd"), FileOf(objectives));
        WriteBytes(Path("vantor.fed"), FileOf(entries));
        WriteBytes(Path("vantor.phd"), FileOf(headers));
        WriteBytes(Path("vantor.pd"), FileOf(points));
    }
    Bytes FileBytes(const std::string& name) { return ReadBytes(Path(name)); }

    // The objective record as the file holds it (read from disk, not through the mapping).
    ObjectiveRecord OcdOnDisk(int index) {
        const Bytes b = FileBytes("vantor.ocd");
        ObjectiveRecord o;
        std::memcpy(o.data(), b.data() + 2 + size_t(index) * o.kSize, o.kSize);
        return o;
    }
    PointHeaderRecord PhdOnDisk(int index) {
        const Bytes b = FileBytes("vantor.phd");
        PointHeaderRecord h;
        std::memcpy(h.data(), b.data() + 2 + size_t(index) * h.kSize, h.kSize);
        return h;
    }
    // The entry file as records (count from its header).
    std::vector<FeatureEntryRecord> FedOnDisk() {
        const Bytes b = FileBytes("vantor.fed");
        std::vector<FeatureEntryRecord> out(LoadLE<uint16_t>(b.data()));
        EXPECT_EQ(b.size(), 2 + out.size() * FeatureEntryRecord::kSize);
        for (size_t i = 0; i < out.size(); ++i)
            std::memcpy(out[i].data(), b.data() + 2 + i * out[i].kSize, out[i].kSize);
        return out;
    }
    // Class-table indices of the entries on disk: the test entries' identities.
    std::vector<int> FedIds() {
        std::vector<int> ids;
        for (const auto& e : FedOnDisk()) ids.push_back(e.CtIndex() - 100);
        return ids;
    }
    std::vector<int> FirstEntries() {
        std::vector<int> out;
        const Bytes b = FileBytes("vantor.ocd");
        for (int i = 0; i < LoadLE<uint16_t>(b.data()); ++i)
            out.push_back(OcdOnDisk(i).FirstFeatureEntry());
        return out;
    }
};

}  // namespace tablon::test
