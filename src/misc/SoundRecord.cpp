#include "misc/SoundRecord.h"

namespace tablon {

const FieldTable& SoundFields() {
    using T = FieldType;
    using R = SoundRecord;
    static const FieldTable table{
        "SoundRecord",
        R::kSize,
        {
            {"file_name", R::kFileName, T::Text, R::kFileNameSize, "File"},
            {"offset", R::kOffset, T::U32, 1, "Offset", "Offset"},
            {"length", R::kLength, T::U32, 1, "Length", "Length"},
            {"handle", R::kHandle, T::U32, 1, "Handle"},
            {"max_dist_sq", R::kMaxDistSq, T::F32, 1, "MaxDistSq", "MaxSqDist"},
            {"max_volume", R::kMaxVolume, T::F32, 1, "MaxVol", "MaxVol"},
            {"min_volume", R::kMinVolume, T::F32, 1, "MinVol", "MinVol"},
            {"dist_sq", R::kDistSq, T::F32, 1, "DistSq", "DistSq"},
            {"override", R::kOverride, T::U32, 1, "Ovrd", "Override"},
            {"lfu", R::kLfu, T::U32, 1, "LFU"},
            {"flags", R::kFlags, T::U32, 1, "Flags", "Flags"},
            {"pitch_scale", R::kPitchScale, T::F32, 1, "PitchScale", "Pitch Scale"},
            {"cur_pitch_scale", R::kCurPitchScale, T::F32, 1, "curPitch", "Cur Pitch Scale"},
            {"sound_group", R::kSoundGroup, T::I32, 1, "soundGroup", "Sound Group"},
            {"major_symbol", R::kMajorSymbol, T::U32, 1, "majorSym", "MajorSym"},
            {"minor_symbol", R::kMinorSymbol, T::U32, 1, "minorSym", "MinorSym"},
            {"min_3d_distance", R::kMin3dDistance, T::F32, 1, "min3dDist", "Min 3d"},
        },
    };
    return table;
}

}  // namespace tablon
