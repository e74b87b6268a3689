#include "models/ModelFiles.h"

#include "shell/Ui.h"

namespace tablon {

int ModelFile::Open(const std::string& name, const std::string& initialDir, int mode) {
    if (!OpenMapped(name, FilterFor(spec_.ext), initialDir, mode)) {
        ShowMessage(Format(spec_.openFailMessage, name.c_str()));
        return 0;
    }
    return 1;
}

FileStatus ModelFile::Status() const {
    FileStatus s;
    s.state = !IsOpen() ? FileState::Unopened : !IsMapped() ? FileState::Unmapped : FileState::Ok;
    return s;
}

int HdrFile::ImportColour(int32_t, uint32_t, const uint8_t*) { return 0; }
int HdrFile::ImportParent(int32_t, uint32_t, const uint8_t*) { return 0; }

}  // namespace tablon
