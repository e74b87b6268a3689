// Test fixtures: a temporary working directory and a builder for database files byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "store/Bytes.h"
#include "store/FileSet.h"

namespace tablon::test {

// A fresh temporary directory that becomes the working directory for the test, removed
// afterwards.
class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    const std::string& Dir() const { return dir_; }

    std::string dir_;
    std::string oldCwd_;
};

void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);

// A file of the common layout: count, then the records as given (each of recordSize bytes).
Bytes CountFile(uint16_t count, uint16_t recordSize, uint8_t fill = 0);
// count records whose bytes are (record index * 7 + byte offset) & 0xff: every byte differs
// from its neighbours, so misplaced copies show.
Bytes PatternFile(uint16_t count, uint16_t recordSize);
uint8_t PatternByte(int index, int offset);

// A minimal model header: all counts zero.
Bytes EmptyHeaderFile();

// Writes a complete, valid, tiny database set (every file with a few records, model files
// empty but well formed) into dir.
void WriteMinimalSet(const std::string& dir, int records = 3);

}  // namespace tablon::test
