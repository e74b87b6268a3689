#include "shell/CategoryTree.h"

#include <strings.h>

#include <algorithm>

#include "store/Database.h"

namespace tablon {

namespace {

SourceRef File(FileId id) {
    return {id, ModelTable::None};
}
SourceRef Model(ModelTable t) {
    return {FileId::Hdr, t};
}

std::vector<CategoryNode> DomainViews(const char* air, const char* land, const char* ship,
                                      const char* sub, FileId file) {
    return {
        {"Aircraft", air, 2, File(file), {}},
        {"Land", land, 4, File(file), {}},
        {"Ship", ship, 6, File(file), {}},
        {"Submarine", sub, 8, File(file), {}},
    };
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string_view::npos) slash = path.size();
        if (slash > start) parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

bool SameLabel(const std::string& label, std::string_view want) {
    return label.size() == want.size() && strncasecmp(label.c_str(), want.data(), want.size()) == 0;
}

}  // namespace

std::vector<CategoryNode> CategoryTable() {
    std::vector<CategoryNode> classTable{
        {"Vehicles", "CVclView", 0, File(FileId::Vcd),
         DomainViews("CAircraftVclView", "CLandVclView", "CShipVclView", "CSubVclView",
                     FileId::Vcd)},
        {"Weapons", "CWeaponView", 22, File(FileId::Wcd), {}},
        {"Hardpoints", "CHardpointView", 24, File(FileId::Wld), {}},
        {"Objectives", "CObjectiveView", 16, File(FileId::Ocd), {}},
        {"Features", "CFeatureView", 16, File(FileId::Fcd), {}},
        {"Units", "CUnitView", 0, File(FileId::Ucd),
         DomainViews("CUnitAirView", "CLandUnitView", "CShipUnitView", "CSubUnitView",
                     FileId::Ucd)},
        {"Squadron Stores", "CSsdView", 18, File(FileId::Ssd), {}},
        {"Sim Weapon Data", "CSwdView", 22, File(FileId::Swd), {}},
        {"Radar Data", "CRadarView", 14, File(FileId::Rcd), {}},
        {"Aircraft Data", "CAcdView", 2, File(FileId::Acd), {}},
        {"IR Data", "CIcdView", 10, File(FileId::Icd), {}},
        {"RWD Data", "CRwdView", 12, File(FileId::Rwd), {}},
        {"VSD Data", "CVsdView", 12, File(FileId::Vsd), {}},
        {"Phd Data", "CPhdView", 20, File(FileId::Phd), {}},
        {"Hdr Data",
         "CHdrInfo",
         34,
         Model(ModelTable::Header),
         {
             {"Parent", "CParentView", 32, Model(ModelTable::Parents), {}},
             {"Lods", "CLodTable", 36, Model(ModelTable::Lods), {}},
             {"Textures", "CTexTable", 38, Model(ModelTable::Textures), {}},
             {"LodColours", "CColTable", 40, Model(ModelTable::Colours), {}},
         }},
    };
    return {{"Class Table", "CCtView", 0, File(FileId::Ct), std::move(classTable)}};
}

bool CVantorTree::DeliversFirstRecord(Database& db, FileId id) {
    const TableFile* t = db.Table(id);
    if (!t || !t->IsMapped()) return false;
    Bytes record;
    return t->GetRecord(0, record) != 0;
}

void CVantorTree::Build(Database& db) {
    Build([&db](FileId id) { return DeliversFirstRecord(db, id); });
}

void CVantorTree::Build(const std::function<bool(FileId)>& present) {
    table_ = CategoryTable();
    // The optional nodes go behind "Hdr Data", leaving no gap for one that is absent.
    static const CategoryNode kOptional[] = {
        {"Sounds", "CSfxView", 26, File(FileId::Sfx), {}},
        {"Rockets", "CRktView", 28, File(FileId::Rkt), {}},
        {"DirtyData", "CDDPView", 30, File(FileId::Ddp), {}},
    };
    for (const auto& node : kOptional)
        if (present(node.source.file)) table_[0].children.push_back(node);

    items_.clear();
    roots_.clear();
    selected_ = -1;
    uint32_t counter = 0;
    Insert(table_, -1, counter);
}

void CVantorTree::Insert(std::vector<CategoryNode>& table, int parent, uint32_t& counter) {
    for (auto& node : table) {
        if (node.label.empty()) break;  // a table ends at its first entry without a label
        const int item = int(items_.size());
        items_.push_back({&node, parent, {}});
        node.itemId = counter++;
        node.item = item;
        // Sorted insertion among the siblings, ignoring case.
        std::vector<int>& siblings = parent < 0 ? roots_ : items_[size_t(parent)].children;
        auto at = std::upper_bound(siblings.begin(), siblings.end(), item, [&](int a, int b) {
            return LessIgnoringCase(items_[size_t(a)].node->label, items_[size_t(b)].node->label);
        });
        siblings.insert(at, item);
        if (!node.children.empty()) Insert(node.children, item, counter);
    }
}

const CategoryNode* CVantorTree::FindById(uint32_t id) const {
    std::function<const CategoryNode*(const std::vector<CategoryNode>&)> search =
        [&](const std::vector<CategoryNode>& table) -> const CategoryNode* {
        for (const auto& node : table) {
            if (node.label.empty()) break;
            if (node.itemId == id) return &node;
            if (const CategoryNode* found = search(node.children)) return found;
        }
        return nullptr;
    };
    return search(table_);
}

std::string CVantorTree::PathOf(int item) const {
    std::string path;
    for (int i = item; i >= 0; i = items_[size_t(i)].parent)
        path = items_[size_t(i)].node->label + (path.empty() ? "" : "/" + path);
    return path;
}

std::string CVantorTree::ShortPathOf(int item) const {
    if (item < 0 || item >= ItemCount()) return {};
    std::string path = Label(item), error;
    for (int i = items_[size_t(item)].parent; FindPath(path, error) != item && i >= 0;
         i = items_[size_t(i)].parent)
        path = Label(i) + "/" + path;
    return path;
}

int CVantorTree::FindPath(std::string_view path, std::string& error) const {
    const auto parts = SplitPath(path);
    if (parts.empty()) {
        error = "no category given";
        return -1;
    }
    // Follows the labels down from a list of starting items; exact labels first, then labels
    // that differ only in case.
    auto follow = [&](const std::vector<int>& start) {
        std::vector<int> level = start;
        int found = -1;
        for (size_t k = 0; k < parts.size(); ++k) {
            found = -1;
            for (int pass = 0; pass < 2 && found < 0; ++pass)
                for (int i : level) {
                    const std::string& label = items_[size_t(i)].node->label;
                    if (pass == 0 ? label == parts[k] : SameLabel(label, parts[k])) {
                        found = i;
                        break;
                    }
                }
            if (found < 0) return -1;
            level = items_[size_t(found)].children;
        }
        return found;
    };
    if (int item = follow(roots_); item >= 0) return item;
    for (int root : roots_)
        if (int item = follow(items_[size_t(root)].children); item >= 0) return item;
    // A path may start anywhere when its first label names exactly one item.
    std::vector<int> matches;
    for (int i = 0; i < ItemCount(); ++i)
        if (SameLabel(items_[size_t(i)].node->label, parts[0])) {
            int item = follow({i});
            if (item >= 0) matches.push_back(item);
        }
    if (matches.size() == 1) return matches[0];
    if (matches.empty()) {
        error = "no category " + std::string(path);
    } else {
        error = "category " + std::string(path) + " is ambiguous:";
        for (int m : matches) error += " \"" + PathOf(m) + "\"";
    }
    return -1;
}

int CVantorTree::VehiclesItem() const {
    if (table_.empty() || table_[0].children.empty()) return -1;
    return table_[0].children[0].item;
}

}  // namespace tablon
