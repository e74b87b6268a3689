// The objective drawing in a dialog: its drawing area with the scroll bars, the "View" radio
// buttons, the check buttons, the zoom slider and "Reset", as a panel that a form carries and
// hands its events to. The "Objective Viewer" is that panel alone; the "FED  List" dialog
// carries it in its left half.
#pragma once

#include <string>
#include <vector>

#include "objectives/ObjectiveDraw.h"
#include "shell/Form.h"
#include "shell/Registry.h"

namespace tablon {

class ObjectiveDrawingPanel {
  public:
    struct Ids {
        int area, vScroll, hScroll, top, side, front, filled, points, labels, axes, zoomLabel, zoom,
            reset;
    };
    static const Ids kViewerIds;  // "Objective Viewer"

    // labelsText: "PT label" in the viewer, "PT Label" in the "FED  List" dialog.
    ObjectiveDrawingPanel(Database& db, Ids ids, std::string labelsText);

    // Adds the drawing area (with its scroll bars on the left and below) over `area`, and the
    // viewer's controls in a column 100 wide from (column x, column y).
    void AddTo(Form& form, Rect area, int columnX, int columnY);
    // The controls that keep their distance from the dialog's right edge.
    std::vector<int> ColumnIds() const;
    // "Top" checked, the slider and both scroll bars at 0 over -10..10.
    void Init(Form& form);
    // Takes the objective's run and points again (the extents only widen) and redraws.
    void Build(Form& form, const ObjectiveRecord& objective);

    // The form's events; each returns whether it was the panel's.
    bool OnButton(Form& form, int id);
    bool OnScroll(Form& form, int id);  // after the form took the new position
    bool OnPaint(int id, Canvas& canvas);

    ObjectiveDrawingModel& Model() { return model_; }
    const ObjectiveDrawingModel::Layout& LastLayout() const { return layout_; }

  private:
    Ids ids_;
    std::string labelsText_;
    ObjectiveDrawingModel model_;
    ObjectiveDrawingModel::Layout layout_;
    int areaWidth_ = 0, areaHeight_ = 0;  // the drawing area as last painted
};

// "Objective Viewer": the drawing of an objective copy; OK and Cancel only close it.
class CObjectiveViewerDialog : public Form {
  public:
    CObjectiveViewerDialog(ShellContext& ctx, const ObjectiveRecord& objective);
    ObjectiveDrawingPanel& Panel() { return panel_; }

  protected:
    void OnInitDialog() override;
    void OnButton(int id) override;
    void OnScroll(int id, ScrollAction action, int thumb) override;
    void OnPaint(int id, Canvas& canvas) override;

  private:
    ObjectiveDrawingPanel panel_;
    const ObjectiveRecord& objective_;
};

}  // namespace tablon
