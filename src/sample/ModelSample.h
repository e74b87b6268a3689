// The model part of the sample database: "KoreaObj.hdr", "KoreaObj.lod" and "KoreaObj.tex".
#pragma once

#include <string>

#include "sample/Sample.h"

namespace tablon {

// The kinds of model among the sample parents. Parent k is of kind k % kSampleModelKinds, so
// a class-table record can pick a fitting model number.
enum class SampleModel { Building, Hangar, Aircraft, Tower, Vehicle, Ship, Bunker, Tree };
constexpr int kSampleModelKinds = 8;

// The number of parents the sample writes: 256, or 65,535 at the ceiling.
int SampleParentCount(SampleScale scale);
inline SampleModel SampleParentModel(int parent) {
    return static_cast<SampleModel>(parent % kSampleModelKinds);
}
// The first parent of a kind (parents of the same kind follow every kSampleModelKinds).
inline int SampleParentOf(SampleModel kind) {
    return static_cast<int>(kind);
}

// Writes the three model files into dir (which exists). Returns false and says why on failure.
bool WriteModelSample(const std::string& dir, SampleScale scale, std::string& error);

}  // namespace tablon
