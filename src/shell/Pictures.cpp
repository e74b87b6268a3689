#include "shell/Pictures.h"

#include <iterator>

namespace tablon {

namespace {

// The tree's images by pairs: entry k is image 2k; image 2k + 1 is its selected form.
constexpr Picture kTreePictures[] = {
    Picture::Database,      // 0: the class table, vehicles, units
    Picture::Aircraft,      // 2
    Picture::LandVehicle,   // 4
    Picture::Ship,          // 6
    Picture::Submarine,     // 8
    Picture::Infrared,      // 10
    Picture::Eye,           // 12
    Picture::Radar,         // 14
    Picture::Objective,     // 16
    Picture::Crate,         // 18
    Picture::MapPin,        // 20
    Picture::Missile,       // 22
    Picture::Pylon,         // 24
    Picture::Speaker,       // 26
    Picture::Rocket,        // 28
    Picture::Envelope,      // 30
    Picture::ModelTree,     // 32
    Picture::Cube,          // 34
    Picture::Mesh,          // 36
    Picture::Checkerboard,  // 38
    Picture::Palette,       // 40
};

constexpr Picture kToolbarPictures[] = {
    Picture::ShowItem,   Picture::AddItem,    Picture::AddCopy,    Picture::DeleteItem,
    Picture::ExportItem, Picture::LargeIcons, Picture::SmallIcons, Picture::ListMode,
    Picture::DetailMode, Picture::Check,      Picture::About,      Picture::ContextHelp,
    Picture::Back,       Picture::Forward,    Picture::Undo,       Picture::Redo,
};

// The record icons 0 to 10 of the classification (bitmaps 135, 32 pixels, and 136, 16 pixels).
constexpr Picture kRecordIcons[] = {
    Picture::Aircraft,    Picture::LandVehicle, Picture::Ship,      Picture::Submarine,
    Picture::OtherObject, Picture::Helicopter,  Picture::Bomber,    Picture::Transport,
    Picture::AttackJet,   Picture::Carrier,     Picture::CargoShip,
};

// The hardpoint rows of the vehicle and weapon-list dialogs (bitmap 140): image 0 a weapon,
// image 2 a weapon list on a hardpoint or in a bay.
constexpr Picture kHardpointIcons[] = {Picture::Missile, Picture::Pylon, Picture::Pylon};

// The slot rows of the unit dialog (bitmap 141): air, land, sea, undersea, other, then a
// helicopter and a bomber among the aircraft.
constexpr Picture kUnitSlotIcons[] = {Picture::Aircraft,  Picture::LandVehicle, Picture::Ship,
                                      Picture::Submarine, Picture::OtherObject, Picture::Helicopter,
                                      Picture::Bomber};

struct Bitmap {
    int id;
    const Picture* pictures;
    int count;
};

constexpr Bitmap kBitmaps[] = {
    {135, kRecordIcons, int(std::size(kRecordIcons))},
    {136, kRecordIcons, int(std::size(kRecordIcons))},
    {140, kHardpointIcons, int(std::size(kHardpointIcons))},
    {141, kUnitSlotIcons, int(std::size(kUnitSlotIcons))},
};

}  // namespace

ImageRef TreeImage(int index) {
    if (index < 0 || index / 2 >= int(std::size(kTreePictures))) return {};
    return {kTreePictures[index / 2], index % 2 == 1};
}

Picture ToolbarImage(int index) {
    if (index < 0 || index >= int(std::size(kToolbarPictures))) return Picture::Record;
    return kToolbarPictures[index];
}

Picture BitmapImage(int bitmap, int index) {
    for (const Bitmap& b : kBitmaps)
        if (b.id == bitmap)
            return index >= 0 && index < b.count ? b.pictures[index] : Picture::Record;
    return Picture::Record;
}

}  // namespace tablon
