#include "support/Fixture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace tablon::test {

namespace fs = std::filesystem;

void TempDirTest::SetUp() {
    char tmpl[] = "/tmp/tablon-test-XXXXXX";
    char* d = ::mkdtemp(tmpl);
    ASSERT_NE(d, nullptr);
    dir_ = d;
    oldCwd_ = fs::current_path().string();
    fs::current_path(dir_);
}

void TempDirTest::TearDown() {
    fs::current_path(oldCwd_);
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes CountFile(uint16_t count, uint16_t recordSize, uint8_t fill) {
    Bytes b(2 + size_t(count) * recordSize, fill);
    StoreLE<uint16_t>(b.data(), count);
    return b;
}

uint8_t PatternByte(int index, int offset) {
    return uint8_t((index * 7 + offset + 1) & 0xff);
}

Bytes PatternFile(uint16_t count, uint16_t recordSize) {
    Bytes b = CountFile(count, recordSize);
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < recordSize; ++k) b[2 + size_t(i) * recordSize + k] = PatternByte(i, k);
    return b;
}

Bytes EmptyHeaderFile() {
    // version, colours, dark colours, palettes, textures, texture max size, LOD max nodes,
    // LODs, parents.
    return Bytes(36, 0);
}

void WriteMinimalSet(const std::string& dir, int records) {
    for (const auto& desc : FileDescs()) {
        std::string path = dir + "/" + desc.name;
        switch (desc.header) {
            case HeaderKind::Count16:
                WriteBytes(path, PatternFile(uint16_t(records), desc.memSize));
                break;
            case HeaderKind::Sound: {
                Bytes b(8 + size_t(records) * 128, 0);
                StoreLE<uint32_t>(b.data() + 4, uint32_t(records));
                WriteBytes(path, b);
                break;
            }
            case HeaderKind::Model:
                WriteBytes(path, EmptyHeaderFile());
                break;
        }
    }
}

}  // namespace tablon::test
