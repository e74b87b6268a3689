// The database set: the 23 files Tablon opens, in opening order, with everything that tells
// them apart (record sizes tried in order, older layouts, messages, filters, export codes).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tablon {

enum class FileId : int {
    Fed,
    Ct,
    Vcd,
    Pd,
    Icd,
    Phd,
    Rwd,
    Vsd,
    Wld,
    Wcd,
    Swd,
    Fcd,
    Ocd,
    Acd,
    Rcd,
    Ucd,
    Ssd,
    Hdr,
    Lod,
    Tex,
    Sfx,
    Rkt,
    Ddp,
};
constexpr int kFileCount = 23;
constexpr int kRequiredFileCount = 20;

// One piece of a record copied between its file form and its memory form.
struct Segment {
    uint16_t fileOffset;
    uint16_t memOffset;
    uint16_t length;
};

// One accepted record size of a file. An empty split copies the file's bytes to the front of
// the memory form (and back); the rest of the memory form reads as zero.
struct RecordForm {
    uint16_t fileSize;
    int32_t version;  // the vehicle and weapon files: 0 for the larger, 1 for the smaller size
    std::vector<Segment> split;
};

enum class HeaderKind {
    Count16,  // unsigned 16-bit count, records from offset 2
    Sound,    // version and count as unsigned 32-bit words, records from offset 8
    Model,    // the model header, LOD and texture files: layouts of their own
};

struct FileDesc {
    FileId id;
    const char* name;               // bare file name, looked up in the working directory
    const char* ext;                // lower-case extension for the file-dialog filter
    const char* typeName;           // short name used in the system's texts ("CT", "VCD", ...)
    uint16_t memSize;               // size of the record in memory (the current layout)
    std::vector<RecordForm> forms;  // accepted record sizes in the order they are tried
    bool required;
    const char* openFailMessage;  // "Can't open file %s" or "Can't map file %s"
    const char* sizeMessage;
    bool sizeMessageNumbers;  // the size message carries the count and an estimate
    uint16_t estimateSize;    // record size the estimate divides by
    HeaderKind header;
    int exportCode;  // -1: no export
    bool importable;
    bool appendDelete;         // offers AppendRecord and DeleteLastRecord
    bool getRefusesPastCount;  // GetRecord refuses an index greater than the record count
    bool setRefusesPastCount;  // SetRecord refuses an index greater than the record count
    bool hasVersion;           // the file has a version worth reporting
};

const std::vector<FileDesc>& FileDescs();
const FileDesc& DescOf(FileId id);
// Looks a file up by name, ignoring case ("VANTOR.CT" finds the class table).
std::optional<FileId> FileIdByName(std::string_view name);

// "ct Files (*.ct)|*.ct|All Files (*.*)|*.*||"
std::string FilterFor(const char* ext);

}  // namespace tablon
