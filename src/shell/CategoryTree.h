// The category tree: the node tables (which view each category opens, its image, its
// children), the optional nodes, the item ids, and the tree as the window shows it, siblings in
// case-insensitive alphabetical order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/RecordSource.h"

namespace tablon {

class Database;

struct CategoryNode {
    std::string label;      // the item's text; the document title while its view is shown
    std::string viewClass;  // the class of the view it opens; empty: it opens nothing
    int image = 0;          // image when not selected; image + 1 when selected
    SourceRef source;       // the records its view shows
    std::vector<CategoryNode> children;
    uint32_t itemId = 0;  // assigned when the tree is built, depth first in table order
    int item = -1;        // the tree item showing the node
};

// The root node table as the program holds it, before the optional nodes are appended.
std::vector<CategoryNode> CategoryTable();

class CVantorTree {
  public:
    struct Item {
        CategoryNode* node;
        int parent;                 // -1 for a root item
        std::vector<int> children;  // in display order
    };

    // Builds the node tables and the items: the optional nodes "Sounds", "Rockets",
    // "DirtyData" are appended to the children of "Class Table" when present says their file
    // delivers its record 0.
    void Build(const std::function<bool(FileId)>& present);
    void Build(Database& db);
    // Whether an optional file can deliver its record 0.
    static bool DeliversFirstRecord(Database& db, FileId id);

    const std::vector<CategoryNode>& Table() const { return table_; }
    const std::vector<int>& RootItems() const { return roots_; }
    int ItemCount() const { return int(items_.size()); }
    const Item& ItemAt(int item) const { return items_[size_t(item)]; }
    const std::string& Label(int item) const { return items_[size_t(item)].node->label; }
    int Image(int item) const { return items_[size_t(item)].node->image; }
    int SelectedImage(int item) const { return items_[size_t(item)].node->image + 1; }
    uint32_t ItemData(int item) const { return items_[size_t(item)].node->itemId; }
    // The node with an item id, searched depth first, each entry before its children.
    const CategoryNode* FindById(uint32_t id) const;
    // The item of a path of labels ("Vehicles/Aircraft", "Class Table", "Class Table/Units");
    // -1 with a reason when there is none or more than one.
    int FindPath(std::string_view path, std::string& error) const;
    std::string PathOf(int item) const;
    // The shortest end of an item's path that FindPath finds it by ("Weapons",
    // "Vehicles/Aircraft").
    std::string ShortPathOf(int item) const;
    // The item of "Vehicles", selected at start.
    int VehiclesItem() const;

    int Selected() const { return selected_; }
    void SetSelected(int item) { selected_ = item; }

  private:
    void Insert(std::vector<CategoryNode>& table, int parent, uint32_t& counter);
    std::vector<CategoryNode> table_;
    std::vector<Item> items_;
    std::vector<int> roots_;
    int selected_ = -1;
};

}  // namespace tablon
