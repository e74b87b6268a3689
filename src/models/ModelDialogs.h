// The dialogs of the 3D model data: the parent dialog ("Size Information") with its
// sub-editors ("Lod Resolution", the slot and dynamic position editors, the vector editor),
// "Lod Info" with "New Texture", and the "Lod Viewer".
#pragma once

#include <memory>
#include <vector>

#include "models/LodData.h"
#include "models/LodDraw.h"
#include "models/ParentData.h"
#include "shell/Form.h"
#include "shell/Registry.h"

namespace tablon {

// "Vector Edtior": three floats.
class CVectorEditor : public Form {
  public:
    static constexpr int kX = 1421, kY = 1422, kZ = 1423;
    explicit CVectorEditor(const Vec3& v);
    const Vec3& Vector() const { return v_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    Vec3 v_;
};

// "Lod Resolution": a LOD reference's distance and LOD number; OK makes the reference the
// LOD number times two.
class CLodResolutionDialog : public Form {
  public:
    static constexpr int kDistance = 1423, kLod = 1424;
    explicit CLodResolutionDialog(const LodRef& ref);
    const LodRef& Reference() const { return ref_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    LodRef ref_;
};

// "Lod Slots": a list of positions ("Slot Editor" or "Dynamic Editor"); a double click edits
// one in the vector editor; OK hands the edited positions back.
class CPositionEditor : public Form {
  public:
    static constexpr int kList = 1603;
    CPositionEditor(std::string title, std::vector<Vec3> positions);
    const std::vector<Vec3>& Positions() const { return positions_; }

  protected:
    void OnInitDialog() override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    std::vector<Vec3> positions_;
};

// "New Texture": a texture number.
class CNewTextureDialog : public Form {
  public:
    static constexpr int kNumber = 1605;
    explicit CNewTextureDialog(int number);
    int Number() const { return number_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    int number_;
};

// "Lod Info": a LOD's counts and its root's vertex, normal and texture tables; edits go
// straight into the LOD file (Cancel does not undo them).
class CLodInfoDialog : public Form {
  public:
    static constexpr int kName = 1415, kNodes = 1416, kVectors = 1417, kNormals = 1418,
                         kTextures = 1419, kVertexList = 1420, kNormalList = 1421,
                         kTextureList = 1422;
    CLodInfoDialog(ShellContext& ctx, int lod);

  protected:
    void OnInitDialog() override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ShellContext& ctx_;
    int lod_;
    LodData data_;
};

// "Lod Viewer": the LOD drawn in three projections with its switches, DOFs, slots, split
// planes and labels, zoomed and panned.
class CLodViewerDialog : public Form {
  public:
    static constexpr int kArea = 1424, kTop = 1426, kSide = 1427, kFront = 1428, kFilled = 1429,
                         kSlots = 1601, kBsp = 1602, kLabel = 1603, kSwitches = 1430, kDofs = 1500,
                         kReset = 1615, kZoom = 1616, kHScroll = 1618, kVScroll = 1619,
                         kSwitchCommand = 1431, kDofCommand = 1501;
    // The LOD must have its parent record set and outlive the dialog.
    CLodViewerDialog(const LodData& lod, std::vector<Colour> colours, std::vector<Vec3> slots);
    LodViewerModel& Model() { return model_; }
    // The layout of the last repaint.
    const LodViewerModel::Layout& LastLayout() const { return layout_; }

  protected:
    void OnInitDialog() override;
    void OnButton(int id) override;
    void OnScroll(int id, ScrollAction action, int thumb) override;
    void OnPaint(int id, Canvas& canvas) override;

  private:
    LodViewerModel model_;
    LodViewerModel::Layout layout_;
};

// The parent dialog ("Size Information") on parent k; OK writes the parent record.
class CParentDialog : public Form {
  public:
    static constexpr int kRadius = 1045, kMinX = 1039, kMaxX = 1040, kMinY = 1041, kMaxY = 1042,
                         kMinZ = 1043, kMaxZ = 1044, kOffset1 = 1046, kOffset2 = 1047, kLods = 1058,
                         kTexSets = 1060, kSwitches = 1062, kDofs = 1306, kSlots = 1059,
                         kDynamic = 1061, kR6Offset = 1307, kLodInd = 1308, kTexCount = 1309,
                         kLodList = 1303, kTexList = 1300, kGetTexture = 1301, kSetTexture = 1302,
                         kLodButton = 1414, kLodRes = 1415, kView = 1416, kSlotButton = 1602,
                         kDynamicButton = 1603;
    CParentDialog(ShellContext& ctx, int parent);
    const ParentData& Data() const { return data_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    // The texture of the "Tex No" list: the selected one, else the list's text when it starts
    // with a digit; -1 for none.
    int ChosenTexture() const;
    void EditPositions(bool slots);
    void View(int lodNumber);

    ShellContext& ctx_;
    ParentData data_;
    bool loaded_ = false;
};

// Opens the parent dialog; whether it wrote the record.
bool RunParentDialog(ShellContext& ctx, int parent);

}  // namespace tablon
