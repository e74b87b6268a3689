// The views of the model header file: the header summary form (`CHdrInfo`, "Hdr Data") and the
// lists of its parents, LODs, textures and LOD colours.
#pragma once

#include "shell/Form.h"
#include "shell/MvView.h"

namespace tablon {

// One row per parent; a double click opens the parent dialog; "Export Item" exports a parent.
class CParentView : public CMvView {
  public:
    static constexpr const char* kClassName = "CParentView";
    explicit CParentView(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }

  protected:
    void ShowRecord(int row) override;
    unsigned RecordCommands() const override { return kRecordExport; }
};

// One row per LOD table entry; nothing opens.
class CLodTable : public CMvView {
  public:
    static constexpr const char* kClassName = "CLodTable";
    explicit CLodTable(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }
};

// One row per texture table entry; nothing opens.
class CTexTable : public CMvView {
  public:
    static constexpr const char* kClassName = "CTexTable";
    explicit CTexTable(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }
};

// One row per LOD colour; "Export Item" exports a colour.
class CColTable : public CMvView {
  public:
    static constexpr const char* kClassName = "CColTable";
    explicit CColTable(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }

  protected:
    unsigned RecordCommands() const override { return kRecordExport; }
    void ExportSelected() override;
};

// The header summary: "Version", "No Dark Colours", "Texture Max Size", "Lod Max Nodes";
// "Update" writes the four values, "Revert" shows the values read at open again.
class CHdrInfo : public PaneView, public Form {
  public:
    static constexpr const char* kClassName = "CHdrInfo";
    static constexpr int kVersion = 1700, kDarkColours = 1701, kTextureMaxSize = 1702,
                         kLodMaxNodes = 1703, kUpdate = 1712, kRevert = 1713;
    explicit CHdrInfo(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }
    void OnInitialUpdate() override;
    Form* AsForm() override { return this; }

  protected:
    void OnInitDialog() override;
    void OnButton(int id) override;

  private:
    ShellContext& ctx_;
};

}  // namespace tablon
