#include "shell/RecordSource.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "models/ModelFiles.h"
#include "store/Database.h"

namespace tablon {

namespace {

class TableSource : public RecordSource {
  public:
    TableSource(TableFile& file, SourceRef ref) : file_(file), ref_(ref) {}
    SourceRef Ref() const override { return ref_; }
    uint32_t RecordSize() const override { return file_.MemSize(); }
    // Never more than the file can hold, whatever its header claims.
    int Count() const override { return int(file_.RecordsShown()); }
    int Get(int index, uint8_t* out) const override { return file_.GetRecord(index, out); }
    int Set(int index, const uint8_t* record) override { return file_.SetRecord(index, record); }
    const FieldTable& Fields() const override { return FieldTableOf(ref_.file); }
    TableFile* Table() const override { return &file_; }
    std::string TypeName() const override { return file_.Desc().typeName; }

  private:
    TableFile& file_;
    SourceRef ref_;
};

// A table of the model header file read through one of the header file's getters.
class HdrTableSource : public RecordSource {
  public:
    using Getter = std::function<int(const HdrFile&, int, uint8_t*)>;
    using Setter = std::function<int(HdrFile&, int, const uint8_t*)>;
    HdrTableSource(HdrFile& hdr, SourceRef ref, const FieldTable& fields, uint32_t count,
                   const char* name, Getter get, Setter set = {})
        : hdr_(hdr),
          ref_(ref),
          fields_(fields),
          count_(count),
          name_(name),
          get_(std::move(get)),
          set_(std::move(set)) {}
    SourceRef Ref() const override { return ref_; }
    uint32_t RecordSize() const override { return fields_.size; }
    int Count() const override { return int(count_); }
    int Get(int index, uint8_t* out) const override { return get_(hdr_, index, out); }
    int Set(int index, const uint8_t* record) override {
        return set_ ? set_(hdr_, index, record) : 0;
    }
    const FieldTable& Fields() const override { return fields_; }
    std::string TypeName() const override { return name_; }

  private:
    HdrFile& hdr_;
    SourceRef ref_;
    const FieldTable& fields_;
    uint32_t count_;
    const char* name_;
    Getter get_;
    Setter set_;
};

template <typename Rec>
HdrTableSource::Getter EntryGetter(int (HdrFile::*get)(int, Rec&) const) {
    return [get](const HdrFile& hdr, int index, uint8_t* out) {
        Rec r;
        if (!(hdr.*get)(index, r)) return 0;
        std::memcpy(out, r.data(), Rec::kSize);
        return 1;
    };
}

template <typename Rec>
HdrTableSource::Setter EntrySetter(int (HdrFile::*set)(int, const Rec&)) {
    return [set](HdrFile& hdr, int index, const uint8_t* in) {
        Rec r;
        std::memcpy(r.data(), in, Rec::kSize);
        return (hdr.*set)(index, r);
    };
}

// The header's global values and section counts as one record of 32-bit words.
constexpr uint16_t kSummaryWords = 9;

int GetSummary(const HdrFile& hdr, int index, uint8_t* out) {
    if (index != 0 || !hdr.IsMapped()) return 0;
    const HdrLayout& l = hdr.Layout();
    const uint32_t words[kSummaryWords] = {l.version,  l.colours,     l.darkColours,
                                           l.palettes, l.textures,    l.textureMaxSize,
                                           l.lods,     l.lodMaxNodes, l.parents};
    for (size_t i = 0; i < kSummaryWords; ++i) StoreLE<uint32_t>(out + 4 * i, words[i]);
    return 1;
}

}  // namespace

const FieldTable& HeaderSummaryFields() {
    using T = FieldType;
    static const FieldTable table{
        "HeaderSummary",
        kSummaryWords * 4,
        {
            {"version", 0, T::U32, 1, "Version", "Version"},
            {"colours", 4, T::U32, 1, "Colours", nullptr},
            {"dark_colours", 8, T::U32, 1, "No Dark Colours", "No Dark Colours"},
            {"palettes", 12, T::U32, 1, "Palettes", nullptr},
            {"textures", 16, T::U32, 1, "Textures", nullptr},
            {"texture_max_size", 20, T::U32, 1, "Texture Max Size", "Texture Max Size"},
            {"lods", 24, T::U32, 1, "Lods", nullptr},
            {"lod_max_nodes", 28, T::U32, 1, "Lod Max Nodes", "Lod Max Nodes"},
            {"parents", 32, T::U32, 1, "Parents", nullptr},
        },
    };
    return table;
}

std::unique_ptr<RecordSource> MakeSource(Database& db, SourceRef ref) {
    if (ref.file != FileId::Hdr && ref.file != FileId::Lod && ref.file != FileId::Tex) {
        TableFile* t = db.Table(ref.file);
        if (!t) return nullptr;
        return std::make_unique<TableSource>(*t, SourceRef{ref.file, ModelTable::None});
    }
    HdrFile& hdr = db.Hdr();
    switch (ref.table) {
        case ModelTable::Parents:
            return std::make_unique<HdrTableSource>(hdr, ref, ParentFields(), hdr.ParentCount(),
                                                    "Parent",
                                                    EntryGetter<ParentRecord>(&HdrFile::GetParent),
                                                    EntrySetter<ParentRecord>(&HdrFile::SetParent));
        case ModelTable::Lods:
            return std::make_unique<HdrTableSource>(hdr, ref, LodFields(), hdr.LodCount(), "Lod",
                                                    EntryGetter<LodRecord>(&HdrFile::GetLod));
        case ModelTable::Textures:
            return std::make_unique<HdrTableSource>(
                hdr, ref, TextureFields(), hdr.TextureCount(), "Texture",
                EntryGetter<TextureRecord>(&HdrFile::GetTexture),
                EntrySetter<TextureRecord>(&HdrFile::SetTexture));
        case ModelTable::Colours:
            return std::make_unique<HdrTableSource>(hdr, ref, ColourFields(), hdr.ColourCount(),
                                                    "LodColour",
                                                    EntryGetter<ColourRecord>(&HdrFile::GetColour),
                                                    EntrySetter<ColourRecord>(&HdrFile::SetColour));
        case ModelTable::Header:
            return std::make_unique<HdrTableSource>(hdr, ref, HeaderSummaryFields(),
                                                    hdr.IsMapped() ? 1u : 0u, "Hdr", GetSummary);
        case ModelTable::None:
            break;
    }
    return nullptr;
}

}  // namespace tablon
