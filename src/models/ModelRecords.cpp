#include "models/ModelRecords.h"

#include <cmath>

namespace tablon {

namespace {

uint8_t ColourByte(float component) {
    const float scaled = component * 255.0f;
    // Values an integer cannot hold have no low 8 bits worth drawing: they draw as 0.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.0e18f) return 0;
    return static_cast<uint8_t>(static_cast<int64_t>(scaled) & 0xff);
}

}  // namespace

Rgb DrawingColour(const ColourRecord& c) {
    return {ColourByte(c.R()), ColourByte(c.G()), ColourByte(c.B())};
}

const FieldTable& ParentFields() {
    using T = FieldType;
    static const FieldTable table{
        "ParentRecord",
        48,
        {
            {"radius", 0, T::F32, 1, "Radius", "Radius"},
            {"min_x", 4, T::F32, 1, "Minx", "Min X"},
            {"max_x", 8, T::F32, 1, "Maxx", "Max X"},
            {"min_y", 12, T::F32, 1, "Miny", "Min Y"},
            {"max_y", 16, T::F32, 1, "Maxy", "Max Y"},
            {"min_z", 20, T::F32, 1, "Minz", "Min Z"},
            {"max_z", 24, T::F32, 1, "Maxz", "Max Z"},
            {"offset1", 28, T::U32, 1, nullptr, "Offset 1"},
            {"offset2", 32, T::U32, 1, nullptr, "Offset 2"},
            {"tex_sets", 36, T::I16, 1, "TexSets", "No. Tex Sets"},
            {"dynamic", 38, T::I16, 1, "Dynamic", "No. Dynamic"},
            {"lods", 40, T::U8, 1, "Lods", "No. Lods"},
            {"switches", 41, T::U8, 1, "Switches", "No. Switches"},
            {"dofs", 42, T::U8, 1, "DOFs", "No. Dofs"},
            {"slots", 43, T::U8, 1, "Slots", "No. Slots"},
            {"reserved", 44, T::Raw, 4},
        },
    };
    return table;
}

const FieldTable& LodFields() {
    using T = FieldType;
    static const FieldTable table{
        "LodRecord",
        20,
        {
            {"reserved", 0, T::Raw, 6},
            {"flags", 6, T::U16, 1, "Flags", nullptr},
            {"reserved2", 8, T::Raw, 4},
            {"offset", 12, T::U32, 1, "Offset", nullptr},
            {"size", 16, T::U32, 1, "Size", nullptr},
        },
    };
    return table;
}

const FieldTable& TextureFields() {
    using T = FieldType;
    static const FieldTable table{
        "TextureRecord",
        40,
        {
            {"offset", 0, T::U32, 1, "Offset", nullptr},
            {"size", 4, T::U32, 1, "Size", nullptr},
            {"width", 8, T::U32, 1, "Width", nullptr},
            {"reserved", 12, T::Raw, 8},
            {"flags", 20, T::U32, 1, "Flags", nullptr},
            {"chroma", 24, T::U32, 1, "Chroma", nullptr},
            {"reserved2", 28, T::Raw, 4},
            {"palette", 32, T::U32, 1, "Palette", nullptr},
            {"reserved3", 36, T::Raw, 4},
        },
    };
    return table;
}

const FieldTable& ColourFields() {
    using T = FieldType;
    static const FieldTable table{
        "LodColourRecord",
        16,
        {
            {"red", 0, T::F32, 1, "R", nullptr},
            {"green", 4, T::F32, 1, "G", nullptr},
            {"blue", 8, T::F32, 1, "B", nullptr},
            {"alpha", 12, T::F32, 1, "A", nullptr},
        },
    };
    return table;
}

}  // namespace tablon
