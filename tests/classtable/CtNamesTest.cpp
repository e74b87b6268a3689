#include <gtest/gtest.h>

#include <climits>

#include "classtable/CtNames.h"
#include "classtable/CtRecord.h"

namespace tablon {
namespace {

TEST(CtNames, SmallTablesAndTheirEnds) {
    EXPECT_EQ(DomainCount(), 8);
    EXPECT_EQ(ClassCount(), 14);
    EXPECT_EQ(DomainName(0), "UNKNOWN");
    EXPECT_EQ(DomainName(7), "UNDERSEA");
    EXPECT_EQ(DomainName(8), "8");
    EXPECT_EQ(ClassName(0), "ABSTRACT");
    EXPECT_EQ(ClassName(13), "DIALOG");
    EXPECT_EQ(ClassName(14), "14");
    EXPECT_EQ(ModeName(0), "NORMAL");
    EXPECT_EQ(ModeName(4), "TIGER");
    EXPECT_EQ(ModeName(5), "5");
    EXPECT_EQ(DataTypeName(0), "UNKNOWN");
    EXPECT_EQ(DataTypeName(6), "WEAPON");
    EXPECT_EQ(DataTypeName(7), "7");
}

TEST(CtNames, ValuesWithoutNamePrintAsDecimal) {
    EXPECT_EQ(DomainName(-1), "-1");
    EXPECT_EQ(ClassName(255), "255");
    EXPECT_EQ(TypeName(kDomainLand, kClassFeature, -3), "-3");
    EXPECT_EQ(TypeName(-1, -1, 1), "1");
    EXPECT_EQ(SubTypeName(-96), "-96");
    EXPECT_EQ(SubTypeName(INT_MIN), std::to_string(INT_MIN));
    EXPECT_EQ(SpecificName(-5), "-5");
    EXPECT_EQ(SpecificName(INT_MAX), std::to_string(INT_MAX));
}

TEST(CtNames, TypeSwitchesBetweenPairAndGeneralTable) {
    // Land features: own table up to 39, general table above and at 0.
    EXPECT_EQ(TypeName(kDomainLand, kClassFeature, 0), "0");
    EXPECT_EQ(TypeName(kDomainLand, kClassFeature, 1), "Nothing");
    EXPECT_EQ(TypeName(kDomainLand, kClassFeature, 39), "TERMINAL");
    EXPECT_EQ(TypeName(kDomainLand, kClassFeature, 40), "SHRINE");
    EXPECT_EQ(TypeName(kDomainLand, kClassFeature, 68), "68");
    // Pairs without a table of their own take the general table throughout.
    EXPECT_EQ(TypeName(kDomainAir, kClassWeapon, 33), "SAM");
    EXPECT_EQ(TypeName(kDomainAir, kClassWeapon, 68), "68");
    EXPECT_EQ(TypeName(kDomainAir, kClassWeapon, 1), "1");
    EXPECT_EQ(TypeName(kDomainSea, kClassFeature, 39), "39");
    EXPECT_EQ(TypeName(kDomainAbstract, kClassAbstract, 32), "REFINERYS");
    // A table ending below 32 hands larger types to the general table.
    EXPECT_EQ(TypeName(kDomainLand, kClassObjective, 31), "Sam Site");
    EXPECT_EQ(TypeName(kDomainLand, kClassObjective, 32), "REFINERYS");
    EXPECT_EQ(TypeName(kDomainUndersea, kClassVehicle, 1), "Submarine");
    EXPECT_EQ(TypeName(kDomainUndersea, kClassVehicle, 2), "2");
    EXPECT_EQ(TypeName(kDomainAir, kClassVehicle, 10), "10");
    EXPECT_EQ(TypeName(kDomainSea, kClassVehicle, 34), "SHED");
}

TEST(CtNames, PairTablesIncludingTheirNumberedGaps) {
    EXPECT_EQ(TypeName(kDomainLand, kClassObjective, 1), "AirBase");
    EXPECT_EQ(TypeName(kDomainLand, kClassVehicle, 1), "Foot");
    EXPECT_EQ(TypeName(kDomainLand, kClassVehicle, 4), "Wheeled");
    EXPECT_EQ(TypeName(kDomainLand, kClassVehicle, 5), "5");
    EXPECT_EQ(TypeName(kDomainLand, kClassVehicle, 7), "7");
    EXPECT_EQ(TypeName(kDomainLand, kClassVehicle, 8), "Rocket");
    EXPECT_EQ(TypeName(kDomainLand, kClassUnit, 1), "Battalion");
    EXPECT_EQ(TypeName(kDomainLand, kClassUnit, 2), "Brigade");
    EXPECT_EQ(TypeName(kDomainLand, kClassUnit, 3), "3");
    EXPECT_EQ(TypeName(kDomainAir, kClassVehicle, 1), "Airplane");
    EXPECT_EQ(TypeName(kDomainAir, kClassVehicle, 9), "Eject");
    EXPECT_EQ(TypeName(kDomainAir, kClassUnit, 1), "Flight");
    EXPECT_EQ(TypeName(kDomainAir, kClassUnit, 3), "Squadron");
    EXPECT_EQ(TypeName(kDomainAir, kClassUnit, 4), "4");
    EXPECT_EQ(TypeName(kDomainSea, kClassVehicle, 1), "1");
    EXPECT_EQ(TypeName(kDomainSea, kClassVehicle, 2), "Boat");
    EXPECT_EQ(TypeName(kDomainSea, kClassVehicle, 10), "patrol");
    EXPECT_EQ(TypeName(kDomainSea, kClassVehicle, 11), "Raft");
    EXPECT_EQ(TypeName(kDomainSea, kClassVehicle, 12), "12");
    EXPECT_EQ(TypeName(kDomainSea, kClassVehicle, 14), "Torpedo");
    EXPECT_EQ(TypeName(kDomainSea, kClassUnit, 1), "TaskForce");
    EXPECT_EQ(TypeName(kDomainSea, kClassUnit, 2), "2");
    EXPECT_EQ(TypeName(kDomainUndersea, kClassUnit, 1), "WolfPack");
    EXPECT_EQ(TypeName(kDomainUndersea, kClassUnit, 8), "8");
}

TEST(CtNames, GeneralTypeTableBoundaries) {
    const int d = kDomainAir, c = kClassFeature;
    EXPECT_EQ(TypeName(d, c, 31), "31");
    EXPECT_EQ(TypeName(d, c, 32), "REFINERYS");
    EXPECT_EQ(TypeName(d, c, 38), "TWNHALL");
    EXPECT_EQ(TypeName(d, c, 39), "39");
    EXPECT_EQ(TypeName(d, c, 40), "SHRINE");
    EXPECT_EQ(TypeName(d, c, 65), "RUNWAY MARKER");
    EXPECT_EQ(TypeName(d, c, 67), "MONUMENT");
}

TEST(CtNames, SubTypeTable) {
    EXPECT_EQ(SubTypeName(0), "0");
    EXPECT_EQ(SubTypeName(95), "95");
    EXPECT_EQ(SubTypeName(96), "BRIDGE 65D 4");
    EXPECT_EQ(SubTypeName(103), "BRIDGE 684 4");
    EXPECT_EQ(SubTypeName(155), "B132 1");
    EXPECT_EQ(SubTypeName(165), "BRIDGE 241  3");
    EXPECT_EQ(SubTypeName(171), "BRIDGE a41  3");
    EXPECT_EQ(SubTypeName(177), "BRIDGE D41 2");
    EXPECT_EQ(SubTypeName(178), "178");
    EXPECT_EQ(SubTypeName(179), "BRIDGE D41 4");
    EXPECT_EQ(SubTypeName(184), "BD2A 1");
    EXPECT_EQ(SubTypeName(185), "185");
}

TEST(CtNames, SpecificTable) {
    EXPECT_EQ(SpecificName(0), "0");
    EXPECT_EQ(SpecificName(27), "27");
    EXPECT_EQ(SpecificName(28), "120mmAP");
    EXPECT_EQ(SpecificName(31), "57MM HE");
    EXPECT_EQ(SpecificName(32), "AK47");
    EXPECT_EQ(SpecificName(33), "33");
}

TEST(CtNames, IconOfVehicles) {
    // {domain, type, subtype, icon}. Air vehicles: the helicopter type first, then by subtype.
    const int cases[][4] = {
        {kDomainAir, 5, 4, 5},     {kDomainAir, 1, 3, 6},      {kDomainAir, 1, 4, 8},
        {kDomainAir, 1, 8, 6},     {kDomainAir, 1, 10, 7},     {kDomainAir, 1, 13, 0},
        {kDomainLand, 4, 10, 1},   {kDomainSea, 4, 3, 9},      {kDomainSea, 5, 0, 10},
        {kDomainSea, 6, 3, 2},     {kDomainUndersea, 1, 0, 3}, {kDomainSpace, 5, 3, 4},
        {kDomainUnknown, 0, 0, 4},
    };
    for (const auto& [domain, type, subtype, icon] : cases) {
        EXPECT_EQ(CtIconIndex(domain, kClassVehicle, type, subtype), icon)
            << domain << " " << type << " " << subtype;
    }
}

TEST(CtNames, IconOfUnitsAndOtherClasses) {
    const int airUnitIcons[][2] = {{4, 5},  {5, 6},  {6, 8}, {10, 6}, {12, 5},
                                   {13, 7}, {14, 5}, {3, 0}, {8, 0},  {15, 0}};
    for (const auto& [subtype, icon] : airUnitIcons) {
        EXPECT_EQ(CtIconIndex(kDomainAir, kClassUnit, 5, subtype), icon) << subtype;
    }
    EXPECT_EQ(CtIconIndex(kDomainLand, kClassUnit, 1, 13), 1);
    EXPECT_EQ(CtIconIndex(kDomainSea, kClassUnit, 4, 3), 9);
    EXPECT_EQ(CtIconIndex(kDomainSea, kClassUnit, 4, 7), 2);
    EXPECT_EQ(CtIconIndex(kDomainSea, kClassUnit, 4, 8), 10);
    EXPECT_EQ(CtIconIndex(kDomainSea, kClassUnit, 4, 10), 10);
    EXPECT_EQ(CtIconIndex(kDomainSea, kClassUnit, 4, 11), 2);
    EXPECT_EQ(CtIconIndex(kDomainUndersea, kClassUnit, 1, 13), 3);
    EXPECT_EQ(CtIconIndex(kDomainAbstract, kClassUnit, 1, 13), 4);
    EXPECT_EQ(CtIconIndex(kDomainLand, kClassFeature, 4, 3), 0);
    EXPECT_EQ(CtIconIndex(kDomainAir, kClassWeapon, 5, 13), 0);
    EXPECT_EQ(CtIconIndex(kDomainSea, kClassObjective, 4, 3), 0);
}

TEST(CtNames, IconOfRecordReadsClassificationBytes) {
    CtRecord r;
    r.b[CtRecord::kDomain] = kDomainAir;
    r.b[CtRecord::kClass] = kClassUnit;
    r.b[CtRecord::kSubType] = 13;
    EXPECT_EQ(CtIconIndex(r), 7);
    r.b[CtRecord::kDomain] = kDomainSea;
    r.b[CtRecord::kClass] = kClassVehicle;
    r.b[CtRecord::kType] = 4;
    EXPECT_EQ(CtIconIndex(r), 9);
    r.b[CtRecord::kClass] = kClassFeature;
    EXPECT_EQ(CtIconIndex(r), 0);
}

}  // namespace
}  // namespace tablon
