// Every record file's field table describes its record exactly: each byte belongs to one field.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "store/FieldTable.h"
#include "store/FileSet.h"

namespace tablon {
namespace {

class RecordFieldTables : public ::testing::TestWithParam<FileId> {};

TEST_P(RecordFieldTables, CoverTheRecordOnceWithoutGapOrOverlap) {
    const FileDesc& desc = DescOf(GetParam());
    const FieldTable& table = FieldTableOf(GetParam());
    ASSERT_EQ(table.size, desc.memSize) << desc.name;

    std::vector<const Field*> fields;
    for (const auto& f : table.fields) fields.push_back(&f);
    std::sort(fields.begin(), fields.end(),
              [](const Field* a, const Field* b) { return a->offset < b->offset; });
    size_t next = 0;
    for (const Field* f : fields) {
        EXPECT_EQ(f->offset, next) << table.record << ": " << f->name
                                   << (f->offset < next ? " overlaps" : " leaves a gap before it");
        EXPECT_GE(f->count, 1) << f->name;
        next = std::max(next, size_t(f->offset) + FieldWidth(*f));
    }
    EXPECT_EQ(next, table.size) << table.record;
}

TEST_P(RecordFieldTables, NamesAreUniqueIdentifiersAndTitlesUnique) {
    const FieldTable& table = FieldTableOf(GetParam());
    std::set<std::string> names, titles;
    for (const auto& f : table.fields) {
        const std::string name = f.name;
        EXPECT_TRUE(names.insert(name).second) << table.record << " repeats " << name;
        ASSERT_FALSE(name.empty());
        EXPECT_TRUE(name[0] >= 'a' && name[0] <= 'z') << name;
        for (char c : name)
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') << name;
        if (f.title) {
            EXPECT_TRUE(titles.insert(f.title).second) << table.record << ": " << f.title;
        }
    }
}

std::vector<FileId> RecordFiles() {
    std::vector<FileId> ids;
    for (const auto& desc : FileDescs())
        if (desc.header != HeaderKind::Model) ids.push_back(desc.id);
    return ids;
}

INSTANTIATE_TEST_SUITE_P(AllRecordFiles, RecordFieldTables, ::testing::ValuesIn(RecordFiles()),
                         [](const auto& info) {
                             std::string n = DescOf(info.param).name;
                             std::replace(n.begin(), n.end(), '.', '_');
                             return n;
                         });

}  // namespace
}  // namespace tablon
