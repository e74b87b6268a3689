#include "store/FileSet.h"

#include <strings.h>

namespace tablon {

namespace {

constexpr const char* kOpen = "Can't open file %s";
constexpr const char* kMap = "Can't map file %s";

// Size messages: the header's count and an estimate of the real count.
#define SIZE_MSG(T)                                                                               \
    T " File size not the expected size - not 1.07?\n%d records indicated - looks like about %d " \
      "actual"
#define SIZE_MSG_SHORT(T) \
    T " File size not the expected size\n%d records indicated - looks like about %d actual"

RecordForm Whole(uint16_t size, int32_t version = 0) {
    return {size, version, {}};
}

std::vector<FileDesc> BuildDescs() {
    using H = HeaderKind;
    // clang-format off
    return {
        // id         name                ext    type   mem  forms                                          req   open   size message                      nums  est  header      exp  imp    app/del get>N  set>N  ver
        {FileId::Fed, "vantor.fed",       "fed", "FED",  32, {Whole(32)},                                   true, kMap,  SIZE_MSG("FED"),                 true,  32, H::Count16, -1,  false, false, false, false, false},
        {FileId::Ct,  "vantor.ct",        "ct",  "CT",   81, {Whole(81)},                                   true, kOpen, SIZE_MSG("CT"),                  true,  81, H::Count16,  0,  true,  true,  false, true,  false},
        // Older vehicle records lack bytes 20 to 23 of the current layout.
        {FileId::Vcd, "vantor.vcd",       "vcd", "VCD", 160, {Whole(160, 0), {156, 1, {{0, 0, 20}, {20, 24, 136}}}},
                                                                                                            true, kMap,  "VCD File size not the expected size - not 1.07?", false, 160, H::Count16, 5, true, true, false, false, true},
        {FileId::Pd,  "vantor.pd",        "pd",  "PD",   12, {Whole(12)},                                   true, kMap,  SIZE_MSG("PD"),                  true,  12, H::Count16, -1,  false, false, false, false, false},
        {FileId::Icd, "vantor.icd",       "icd", "ICD",  20, {Whole(20)},                                   true, kMap,  SIZE_MSG("ICD"),                 true,  20, H::Count16,  6,  true,  true,  false, false, false},
        {FileId::Phd, "vantor.phd",       "phd", "PDH",  28, {Whole(28)},                                   true, kMap,  SIZE_MSG("PHD"),                 true,  28, H::Count16, 14,  true,  true,  false, false, false},
        // Older radar-warning records have no flag word at 20.
        {FileId::Rwd, "vantor.rwd",       "rwd", "RWD",  22, {Whole(20), Whole(22)},                        true, kMap,  SIZE_MSG("RWD"),                 true,  20, H::Count16, 11,  true,  true,  true,  true,  false},
        {FileId::Vsd, "vantor.vsd",       "vsd", "VSD",  20, {Whole(20)},                                   true, kMap,  SIZE_MSG("VSD"),                 true,  20, H::Count16,  4,  true,  true,  false, false, false},
        // Older weapon lists hold 32 entries: name, 32 references, 32 counts.
        {FileId::Wld, "vantor.wld",       "wld", "WLD", 208, {{112, 0, {{0, 0, 16}, {16, 16, 64}, {80, 144, 32}}}, Whole(208)},
                                                                                                            true, kOpen, SIZE_MSG("WLD"),                 true, 112, H::Count16,  9,  true,  true,  true,  false, false},
        // Older weapon records lack bytes 24 to 27 and 56 to 59 of the current layout.
        {FileId::Wcd, "vantor.wcd",       "wcd", "WCD",  60, {Whole(60, 0), {52, 1, {{0, 0, 24}, {24, 28, 28}}}},
                                                                                                            true, kOpen, "WCD File size not the expected size - not 1.07?", false, 60, H::Count16, 10, true, true, true, false, true},
        {FileId::Swd, "vantor.swd",       "swd", "SWD",  52, {Whole(52)},                                   true, kMap,  SIZE_MSG("SWD"),                 true,  52, H::Count16,  8,  true,  true,  false, false, false},
        {FileId::Fcd, "vantor.fcd",       "fcd", "FCD",  60, {Whole(60)},                                   true, kMap,  SIZE_MSG("FCD"),                 true,  60, H::Count16, 13,  true,  true,  false, false, false},
        {FileId::Ocd, "vantor.ocd",       "ocd", "OCD",  54, {Whole(54)},                                   true, kMap,  SIZE_MSG("Ocd"),                 true,  54, H::Count16, 12,  true,  true,  false, false, false},
        {FileId::Acd, "vantor.acd",       "acd", "ACD",  52, {Whole(52)},                                   true, kMap,  SIZE_MSG("ACD"),                 true,  52, H::Count16,  1,  true,  true,  false, false, false},
        // Older radar records have no flag word at 56.
        {FileId::Rcd, "vantor.rcd",       "rcd", "RCD",  58, {Whole(56), Whole(58)},                        true, kMap,  SIZE_MSG("RCD"),                 true,  56, H::Count16,  7,  true,  true,  true,  true,  false},
        {FileId::Ucd, "vantor.ucd",       "ucd", "UCD", 336, {Whole(336)},                                  true, kMap,  SIZE_MSG("UCD"),                 true, 336, H::Count16,  2,  true,  true,  false, false, false},
        // Stores records are one count byte per weapon; shorter files simply hold fewer.
        {FileId::Ssd, "vantor.ssd",       "ssd", "SSD", 603, {Whole(223), Whole(203), Whole(603)},          true, kMap,  SIZE_MSG("SSD"),                 true, 223, H::Count16,  3,  true,  true,  false, true,  false},
        {FileId::Hdr, "KoreaObj.hdr",     "hdr", "HDR",  48, {},                                            true, kMap,  "",                              false,  0, H::Model,   -1,  false, false, false, false, true},
        {FileId::Lod, "KoreaObj.lod",     "lod", "LOD",   0, {},                                            true, kMap,  "",                              false,  0, H::Model,   -1,  false, false, false, false, false},
        {FileId::Tex, "KoreaObj.tex",     "tex", "TEX",   0, {},                                            true, kMap,  "",                              false,  0, H::Model,   -1,  false, false, false, false, false},
        // Sound records: 124 bytes when the header's version is 1, else 128.
        {FileId::Sfx, "VantorSndTbl.sfx", "sfx", "SFX", 128, {Whole(124, 1), Whole(128, 0)},            false, kMap,  SIZE_MSG_SHORT("SFX"),          true, 128, H::Sound,   -1,  false, true,  false, false, true},
        {FileId::Rkt, "Vantor.rkt",       "rkt", "RKT",   6, {Whole(6)},                                   false, kMap,  SIZE_MSG_SHORT("RKT"),          true,   6, H::Count16, -1,  false, true,  false, false, false},
        {FileId::Ddp, "Vantor.ddp",       "ddp", "DDP",   4, {Whole(4)},                                   false, kMap,  SIZE_MSG_SHORT("ddp"),          true,   4, H::Count16, -1,  false, false, false, false, false},
    };
    // clang-format on
}

#undef SIZE_MSG
#undef SIZE_MSG_SHORT

}  // namespace

const std::vector<FileDesc>& FileDescs() {
    static const std::vector<FileDesc> descs = BuildDescs();
    return descs;
}

const FileDesc& DescOf(FileId id) {
    return FileDescs()[static_cast<size_t>(id)];
}

std::optional<FileId> FileIdByName(std::string_view name) {
    for (const auto& s : FileDescs()) {
        std::string n(s.name);
        if (n.size() == name.size() && strncasecmp(n.c_str(), name.data(), n.size()) == 0)
            return s.id;
    }
    return std::nullopt;
}

std::string FilterFor(const char* ext) {
    std::string e(ext);
    return e + " Files (*." + e + ")|*." + e + "|All Files (*.*)|*.*||";
}

}  // namespace tablon
