#include "objectives/FedListFile.h"

#include <cfenv>
#include <cstdio>
#include <fstream>

#include "objectives/Runs.h"
#include "shell/Ui.h"
#include "store/Database.h"
#include "store/NearestRounding.h"

namespace tablon {

namespace {

using E = FeatureEntryRecord;

constexpr const char* kHeading1 = "Objective CT Index;Objective-FedCount";
constexpr const char* kHeading3 =
    "FED number;FED CT Index;Flags;Domain;Class;Type;SType;Specific;Mode;Pad1;Pad2;Value;Unk3;"
    "Xoff;Yoff;Zoff;Hdg;Unk5";
// A line is read up to this many characters.
constexpr size_t kLineLimit = 255;

unsigned CtOf(const ObjectiveRecord& o) {
    return uint16_t(o.CtIndex());
}

void Replace(std::string& s, char from, char to) {
    for (char& c : s)
        if (c == from) c = to;
}

// The next line without its end (a CR before the line feed is dropped); false at the end.
bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kLineLimit) line.resize(kLineLimit);
    return true;
}

}  // namespace

std::string FedListDefaultName(const ObjectiveRecord& objective) {
    return Format("FedListCT%u.csv", CtOf(objective));
}

std::string FedListLine(uint32_t index, const FeatureEntryRecord& e) {
    NearestRounding nearest;
    std::string line = Format(
        "%lu;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%f;%f;%f;%d;%d", (unsigned long)index,
        unsigned(e.Get<uint16_t>(E::kCtIndex)), unsigned(e.Get<uint16_t>(E::kFlags)),
        unsigned(e.b[E::kDomain]), unsigned(e.b[E::kClass]), unsigned(e.b[E::kType]),
        unsigned(e.b[E::kSubType]), unsigned(e.b[E::kSpecific]), unsigned(e.b[E::kMode]),
        unsigned(e.b[E::kPad1]), unsigned(e.b[E::kPad2]), unsigned(e.Get<uint16_t>(E::kValue)),
        unsigned(e.Get<uint16_t>(E::kUnk3)), double(e.X()), double(e.Y()), double(e.Z()),
        int(e.Heading()), int(e.Get<int16_t>(E::kUnk5)));
    Replace(line, '.', ',');
    return line;
}

bool ParseFedListLine(const std::string& line, FeatureEntryRecord& e) {
    NearestRounding nearest;
    unsigned long number = 0;
    unsigned u[12] = {};
    float x = 0, y = 0, z = 0;
    int heading = 0, unk5 = 0;
    const int fields =
        std::sscanf(line.c_str(), "%lu;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%u;%f;%f;%f;%d;%d", &number,
                    &u[0], &u[1], &u[2], &u[3], &u[4], &u[5], &u[6], &u[7], &u[8], &u[9], &u[10],
                    &u[11], &x, &y, &z, &heading, &unk5);
    if (fields < 18) return false;
    e = FeatureEntryRecord{};
    // Each value is cut to its field's width.
    e.Set<uint16_t>(E::kCtIndex, uint16_t(u[0]));
    e.Set<uint16_t>(E::kFlags, uint16_t(u[1]));
    const uint16_t bytes[] = {E::kDomain,   E::kClass, E::kType, E::kSubType,
                              E::kSpecific, E::kMode,  E::kPad1, E::kPad2};
    for (int k = 0; k < 8; ++k) e.b[bytes[k]] = uint8_t(u[2 + k]);
    e.Set<uint16_t>(E::kValue, uint16_t(u[10]));
    e.Set<uint16_t>(E::kUnk3, uint16_t(u[11]));
    e.Set<float>(E::kX, x);
    e.Set<float>(E::kY, y);
    e.Set<float>(E::kZ, z);
    e.Set<int16_t>(E::kHeading, int16_t(heading));
    e.Set<int16_t>(E::kUnk5, int16_t(unk5));
    return true;
}

bool SaveFedList(const Database& db, const ObjectiveRecord& copy, const std::string& path,
                 std::string& message) {
    const TableFile& fed = *db.Table(FileId::Fed);
    // Every entry is read before the file is touched: a list is written whole or not at all.
    std::string text = std::string(kHeading1) + "\r\n" +
                       Format("%u;%u", CtOf(copy), unsigned(copy.FeatureEntryCount())) + "\r\n" +
                       kHeading3 + "\r\n";
    const uint32_t first = copy.FirstFeatureEntry();
    for (uint32_t i = 0; i < copy.FeatureEntryCount(); ++i) {
        FeatureEntryRecord e;
        if (!fed.GetRecord(int(first + i), e.data())) {
            message =
                Format("Couldn't read FED record %u: the list was not saved", unsigned(first + i));
            return false;
        }
        text += FedListLine(first + i, e) + "\r\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), std::streamsize(text.size())) || !out.flush()) {
        message = Format("Couldn't write csv file %s", path.c_str());
        return false;
    }
    return true;
}

bool LoadFedList(Database& db, int index, ObjectiveRecord& copy, const std::string& path,
                 std::string& message) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        message = "Couldn't open csv source file!";
        return false;
    }
    std::string line;
    unsigned ct = 0, n = 0;
    ReadLine(in, line);
    if (!ReadLine(in, line) || std::sscanf(line.c_str(), "%u;%u", &ct, &n) != 2) {
        message = "Expecting first line to have 2 fields";
        return false;
    }
    if (ct != CtOf(copy)) {
        message = Format("This is a Fed list from another Objective with CT index: %u", ct);
        return false;
    }
    if (!RunCountFits(EntryRuns(), n, message)) return false;
    ReadLine(in, line);
    // Every line is parsed before the first write.
    std::vector<Bytes> records;
    for (unsigned i = 0; i < n; ++i) {
        if (!ReadLine(in, line)) {
            message = "Run out of file lines";
            return false;
        }
        Replace(line, ',', '.');
        FeatureEntryRecord e;
        if (!ParseFedListLine(line, e)) {
            message = Format("Bad format import line %s", line.c_str());
            return false;
        }
        records.emplace_back(e.data(), e.data() + E::kSize);
    }
    RunEditor editor(db, EntryRuns());
    const bool ok =
        editor.Replace(index, copy.data(), records,
                       {"Failed to delete an old FED record", "Failed to set a new FED record",
                        "Failed to add a new FED record"},
                       message);
    const bool flushed = editor.Finish();
    if (ok && !flushed) message = "Failed to set a new FED record";
    return ok && flushed;
}

}  // namespace tablon
