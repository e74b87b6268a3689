// The optional files of the sample: sounds, rockets and message priorities.
#include <cstdio>

#include "misc/MessagePriorityRecord.h"
#include "misc/RocketRecord.h"
#include "misc/SoundRecord.h"
#include "sample/SampleRandom.h"
#include "sample/SampleWorld.h"

namespace tablon::sample {

namespace {

enum SoundGroup { kEngines, kWeaponsGroup, kExplosions, kCockpit, kEnvironment };

SoundGroup GroupOf(std::string_view name) {
    const auto has = [&](const char* part) { return name.find(part) != std::string_view::npos; };
    if (has("engine") || has("afterburner") || has("turboprop") || has("rotor")) return kEngines;
    if (has("gun") || has("cannon") || has("missile") || has("bomb") || has("launch"))
        return kWeaponsGroup;
    if (has("explosion") || has("fire") || has("impact") || has("splash")) return kExplosions;
    if (has("wind") || has("rain") || has("thunder") || has("sonar")) return kEnvironment;
    return kCockpit;
}

}  // namespace

void World::WriteSounds() {
    TableBuffer t(FileId::Sfx, CountFor(sizes_.sounds));
    RecordBuilder b(SoundFields());
    SampleRandom rng(0x5F0);
    const auto names = SoundNames();
    uint32_t offset = 0;
    for (uint32_t k = 0; k < t.Count(); ++k) {
        const std::string_view name = names[k % names.size()];
        const SoundGroup group = GroupOf(name);
        char file[64];
        std::snprintf(file, sizeof file, "sounds/%.*s_%02u.wav", int(name.size()), name.data(),
                      unsigned(k / names.size() + 1));
        const uint32_t length = 4096 * uint32_t(rng.Between(2, 40));
        float maxDist = 100.0f;
        uint32_t flags = 0;
        switch (group) {
            case kEngines:
                maxDist = 25000000.0f;
                flags = kSoundPositional | kSoundLooped | kSoundIs3d | kSoundFrequencyControl;
                break;
            case kWeaponsGroup:
                maxDist = 10000000.0f;
                flags = kSoundPositional | kSoundIs3d;
                break;
            case kExplosions:
                maxDist = 50000000.0f;
                flags = kSoundPositional | kSoundIs3d | kSoundHigh;
                break;
            case kEnvironment:
                maxDist = 1000000.0f;
                flags = kSoundLooped | kSoundPanControl;
                break;
            case kCockpit:
                flags = kSoundPanControl;
                break;
        }
        b.Target(t.Record(k))
            .Set("file_name", file)
            .Set("offset", offset)
            .Set("length", length)
            .Set("handle", 0)
            .Set("max_dist_sq", maxDist)
            .Set("max_volume", 0.0f)
            .Set("min_volume", -10000.0f)
            .Set("dist_sq", maxDist / 10)
            .Set("override", 0)
            .Set("lfu", 0)
            .Set("flags", flags)
            .Set("pitch_scale", group == kEngines ? 1.5f : 1.0f)
            .Set("cur_pitch_scale", 1.0f)
            .Set("sound_group", int(group))
            .Set("major_symbol", 0)
            .Set("minor_symbol", 0)
            .Set("min_3d_distance", group == kEngines ? 50.0f : 10.0f);
        offset += length;
    }
    Save(t);
}

void World::WriteRockets() {
    TableBuffer t(FileId::Rkt, CountFor(sizes_.rockets));
    RecordBuilder b(RocketFields());
    for (uint32_t k = 0; k < t.Count(); ++k) {
        b.Target(t.Record(k))
            .Set("weapon_id", Pick(weaponsOf_[kRocketPod], k))
            .Set("new_weapon_id", Pick(weaponsOf_[kRocket70], k))
            .Set("count", k % 2 ? 7 : 19);
    }
    Save(t);
}

void World::WritePriorities() {
    TableBuffer t(FileId::Ddp, CountFor(sizes_.priorities));
    RecordBuilder b(MessagePriorityFields());
    SampleRandom rng(0xDD9);
    // Most messages go soon or now; a few reliably or out of band.
    constexpr int kLevels[] = {0, 1, 2, 3, 3, 3, 4, 4, 4, 5, 6, 7};
    for (uint32_t n = 0; n < t.Count(); ++n)
        b.Target(t.Record(n))
            .Set("priority", PriorityValue(kLevels[rng.Below(uint32_t(std::size(kLevels)))]));
    Save(t);
}

}  // namespace tablon::sample
