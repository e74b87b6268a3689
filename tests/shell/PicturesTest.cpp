#include <gtest/gtest.h>

#include <set>

#include "shell/CategoryTree.h"
#include "shell/Commands.h"
#include "shell/Pictures.h"

namespace tablon::test {
namespace {

TEST(PicturesTest, EveryCategoryHasItsPictureAndASelectedForm) {
    CVantorTree tree;
    tree.Build([](FileId) { return true; });
    for (int item = 0; item < tree.ItemCount(); ++item) {
        const ImageRef normal = TreeImage(tree.Image(item));
        const ImageRef selected = TreeImage(tree.SelectedImage(item));
        EXPECT_FALSE(normal.selected) << tree.Label(item);
        EXPECT_TRUE(selected.selected) << tree.Label(item);
        EXPECT_EQ(normal.picture, selected.picture) << tree.Label(item);
    }
    // Categories of different images show different pictures; the last image is 41.
    EXPECT_NE(TreeImage(22).picture, TreeImage(24).picture);
    EXPECT_EQ(TreeImage(41).picture, Picture::Palette);
    EXPECT_EQ(TreeImage(42), ImageRef{});
    EXPECT_EQ(TreeImage(-1), ImageRef{});
}

TEST(PicturesTest, RecordIconsAndToolbarStrip) {
    // The classification's icons 0 to 10 are eleven different pictures in both sizes.
    std::set<Picture> icons;
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(BitmapImage(135, i), BitmapImage(136, i));
        icons.insert(BitmapImage(136, i));
    }
    EXPECT_EQ(icons.size(), 11u);
    EXPECT_FALSE(icons.count(Picture::Record));
    EXPECT_EQ(BitmapImage(136, 0), Picture::Aircraft);
    EXPECT_EQ(BitmapImage(136, 5), Picture::Helicopter);
    EXPECT_EQ(BitmapImage(136, 11), Picture::Record);
    EXPECT_EQ(BitmapImage(0, 0), Picture::Record);
    // The hardpoint rows: a weapon, a weapon list.
    EXPECT_EQ(BitmapImage(140, 0), Picture::Missile);
    EXPECT_EQ(BitmapImage(140, 2), Picture::Pylon);

    // Every toolbar button that is no gap has a picture of its own.
    std::set<Picture> buttons;
    int count = 0;
    for (const ToolbarButton& b : Toolbar()) {
        if (b.id == 0) continue;
        ++count;
        buttons.insert(ToolbarImage(b.image));
    }
    EXPECT_EQ(int(buttons.size()), count);
    EXPECT_FALSE(buttons.count(Picture::Record));
}

}  // namespace
}  // namespace tablon::test
