// The program's pictures: the images of the category tree, of the toolbar buttons and of the
// list views' image lists, named by what they show. The window draws each one at any size.
#pragma once

namespace tablon {

enum class Picture {
    Record,  // a sheet with lines: any record without a picture of its own
    Database,
    Aircraft,
    LandVehicle,
    Ship,
    Submarine,
    OtherObject,
    Helicopter,
    Bomber,
    Transport,
    AttackJet,
    Carrier,
    CargoShip,
    Infrared,
    Eye,
    Radar,
    Objective,
    Crate,
    MapPin,
    Missile,
    Pylon,
    Speaker,
    Rocket,
    Envelope,
    ModelTree,
    Cube,
    Mesh,
    Checkerboard,
    Palette,
    // Toolbar buttons.
    ShowItem,
    AddItem,
    AddCopy,
    DeleteItem,
    ExportItem,
    LargeIcons,
    SmallIcons,
    ListMode,
    DetailMode,
    Check,
    About,
    ContextHelp,
    Back,
    Forward,
    Undo,
    Redo,
};

// An image of an image list: its picture and whether it is the picture's selected form.
struct ImageRef {
    Picture picture = Picture::Record;
    bool selected = false;
    bool operator==(const ImageRef&) const = default;
};

// The category tree's image list: image n is a category's picture, n + 1 its selected form.
ImageRef TreeImage(int index);
// The toolbar strip: the picture of button image i.
Picture ToolbarImage(int index);
// Image i of a list view's or dialog's image list (a bitmap resource); a bitmap or image the
// program has no picture for shows the record sheet.
Picture BitmapImage(int bitmap, int index);

}  // namespace tablon
