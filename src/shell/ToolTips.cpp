#include "shell/ToolTips.h"

namespace tablon {

namespace {

struct Tip {
    int id;
    const char* text;
};

// clang-format off
constexpr Tip kTips[] = {
    {1004, "Maximum Take-off weight (0x32-25)"},
    {1005, "Radar Signature (0x24-27)"},
    {1006, "Altitude class? (0x32-33)"},
    {1007, "Threat Class ? (0x6-7)"},
    {1009, "Empty weight of vehicle (0x36-39)"},
    {1011, "RCD file pointer (0x38-39)"},
    {1013, "Weight of the weapon"},
    {1015, "Drag factor of the weapon"},
    {1021, "Index into the CT file"},
    {1022, "Domain type"},
    {1067, "Index into CT (0x00)"},
    {1068, "Fuel (0x104)"},
    {1079, "Name of the Unit (0xE6)"},
    {1080, "Display SSD data associated with this (0x14A)"},
    {1081, "Sim Weapon Information"},
    {1095, "Blast radius for bombs, proximity for AA missiles"},
    {1102, "Armour value (0x2-3)"},
    {1104, "View the CT file entry"},
    {1105, "Damage 2 (0x93)"},
    {1106, "Damage 3 (0x94)"},
    {1107, "Damage 4 (0x95)"},
    {1108, "Damage 5 (0x96)"},
    {1110, "Damage 6 (0x97)"},
    {1111, "Damage 7 (0x98)"},
    {1112, "Damage 8 (0x99)"},
    {1113, "Damage 10 (0x9B)"},
    {1132, "Type of weapon (from WCD file)"},
    {1157, "Number of the weapon (or ammunition for guns)"},
    {1159, "Amount of fuel capacity (0x28-2b)"},
    {1171, "Unknown value (0x20-23)"},
    {1172, "Float 1 (0x08-B)"},
    {1173, "Float 2 (0x0C-F)"},
    {1174, "Float 3 (0x10-13)"},
    {1175, "Float 4 (0x14-17)"},
    {1176, "Float 5 (0x18-1B)"},
    {1177, "Float 6 (0x1C-1F)"},
    {1178, "Float 7 (0x24-27)"},
    {1179, "Float 8 (0x28-2B)"},
    {1180, "Float 9 (0x2C-2F)"},
    {1181, "Float 10 (0x30-33)"},
    {1182, "Float 11 (0x34-37)"},
    {1183, "Image pointer (0x4-7)"},
    {1186, "Unknown 2 (0x04-7)"},
    {1189, "Unknown 5 (0x10-13)"},
    {1190, "Unknown 6 (0x14-17)"},
    {1191, "Unknown 7 (0x18-0x1b)"},
    {1192, "Unknown 8 (0x1c-0x1f)"},
    {1193, "Unknown 9 (0x20-0x23)"},
    {1194, "Unknown 10 (0x24-27)"},
    {1195, "Unknown 11 (0x28-2b)"},
    {1196, "Unknown 12 (0x2c-2f)"},
    {1197, "Unknown 13 (0x30-0x33)"},
    {1198, "Show what vehicles use this definition"},
    {1205, "Unknown 4 (0x0c-0xf)"},
    {1206, "Unknown 3 (0x8-0xb)"},
    {1209, "Unknown 1 (0x00-0x03)"},
    {1211, "Sound type (0x00-3)"},
    {1212, "Damage 1 (0x92)"},
    {1221, "Damage 9 (0x9A)"},
    {1222, "Damage 11 (0x9C)"},
    {1304, "Records in the CT file that point to this entry"},
};
// clang-format on

}  // namespace

const char* ToolTipText(int controlId) {
    for (const auto& t : kTips)
        if (t.id == controlId) return t.text;
    return nullptr;
}

}  // namespace tablon
