// The program's floating-point mode: rounding toward zero, single precision arithmetic for
// stored results (floats are computed as float; the build keeps the compiler from contracting
// or reassociating them).
#pragma once

namespace tablon {

void SetProgramFpMode();
bool ProgramFpModeActive();

}  // namespace tablon
