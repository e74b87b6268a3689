// The three 3D model files: the model header "KoreaObj.hdr", the LOD file "KoreaObj.lod" and
// the texture file "KoreaObj.tex". They are mapped like record files but have layouts of
// their own and no size check.
#pragma once

#include "store/RecordFile.h"

namespace tablon {

class ModelFile : public RecordFile {
public:
    using RecordFile::RecordFile;
    int Open(const std::string& name, const std::string& initialDir, int mode) override;
    FileStatus Status() const override;
    uint32_t GenericCount() const override { return 0; }
    uint32_t GenericSize() const override { return 0; }
    int GenericGet(int, Bytes&) const override { return 0; }
    int GenericSet(int, const Bytes&) override { return 0; }
};

class HdrFile : public ModelFile {
public:
    using ModelFile::ModelFile;
    // Import of LOD colour records (16 bytes) and parent records (48 bytes).
    int ImportColour(int32_t index, uint32_t size, const uint8_t* data);
    int ImportParent(int32_t index, uint32_t size, const uint8_t* data);
};
class LodFile : public ModelFile {
public:
    using ModelFile::ModelFile;
};
class TexFile : public ModelFile {
public:
    using ModelFile::ModelFile;
};

}  // namespace tablon
