#include "platform/FpMode.h"

#include <cfenv>

namespace tablon {

void SetProgramFpMode() {
    std::fesetround(FE_TOWARDZERO);
}

bool ProgramFpModeActive() {
    return std::fegetround() == FE_TOWARDZERO;
}

}  // namespace tablon
