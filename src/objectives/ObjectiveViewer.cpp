#include "objectives/ObjectiveViewer.h"

#include "objectives/ObjectiveRecord.h"

namespace tablon {

namespace {

constexpr int kMax = ObjectiveDrawingModel::kScrollMax;

Control Ranged(int id, ControlKind kind, Rect r) {
    Control c;
    c.id = id;
    c.kind = kind;
    c.rect = r;
    c.minimum = -kMax;
    c.maximum = kMax;
    return c;
}

}  // namespace

const ObjectiveDrawingPanel::Ids ObjectiveDrawingPanel::kViewerIds{
    1750, 1751, 1752, 1753, 1754, 1755, 1756, 1757, 1758, 1759, 1760, 1761, 1762};

ObjectiveDrawingPanel::ObjectiveDrawingPanel(Database& db, Ids ids, std::string labelsText)
    : ids_(ids), labelsText_(std::move(labelsText)), model_(db) {}

void ObjectiveDrawingPanel::AddTo(Form& form, Rect area, int x, int y) {
    form.Add(Ranged(ids_.area, ControlKind::Canvas, area));
    form.Add(Ranged(ids_.vScroll, ControlKind::ScrollBar,
                    {area.left - 18, area.top, area.left - 2, area.bottom}));
    form.Add(Ranged(ids_.hScroll, ControlKind::ScrollBar,
                    {area.left, area.bottom + 4, area.right, area.bottom + 20}));
    form.AddGroup(-1, "View", {x, y, x + 100, y + 82});
    form.AddRadio(ids_.top, ids_.top, "Top", {x + 8, y + 16, x + 95, y + 34});
    form.AddRadio(ids_.side, ids_.top, "Side", {x + 8, y + 36, x + 95, y + 54});
    form.AddRadio(ids_.front, ids_.top, "Front", {x + 8, y + 56, x + 95, y + 74});
    y += 88;
    for (const auto& [id, text] : {std::pair<int, std::string>{ids_.filled, "Filled"},
                                   {ids_.points, "PT Data"},
                                   {ids_.labels, labelsText_},
                                   {ids_.axes, "Axis"}}) {
        form.AddCheck(id, text, {x, y, x + 100, y + 18});
        y += 20;
    }
    form.AddButton(ids_.reset, "Reset", {x, y + 4, x + 100, y + 26});
    form.AddLabel(ids_.zoomLabel, "Zoom", {x, y + 32, x + 100, y + 48});
    form.Add(Ranged(ids_.zoom, ControlKind::Slider, {x, y + 50, x + 100, y + 74}));
}

std::vector<int> ObjectiveDrawingPanel::ColumnIds() const {
    return {ids_.top,    ids_.side, ids_.front,     ids_.filled, ids_.points,
            ids_.labels, ids_.axes, ids_.zoomLabel, ids_.zoom,   ids_.reset};
}

void ObjectiveDrawingPanel::Init(Form& form) {
    form.SetChecked(ids_.top, true);
    for (int id : {ids_.zoom, ids_.hScroll, ids_.vScroll}) form.SetPosition(id, 0);
    model_.projection = Projection::Top;
    model_.Reset();
}

void ObjectiveDrawingPanel::Build(Form& form, const ObjectiveRecord& objective) {
    model_.Build(objective);
    form.Invalidate(ids_.area);
}

bool ObjectiveDrawingPanel::OnButton(Form& form, int id) {
    const struct {
        int id;
        bool ObjectiveDrawingModel::*flag;
    } checks[] = {{ids_.filled, &ObjectiveDrawingModel::filled},
                  {ids_.points, &ObjectiveDrawingModel::points},
                  {ids_.labels, &ObjectiveDrawingModel::labels},
                  {ids_.axes, &ObjectiveDrawingModel::axes}};
    bool mine = false;
    for (const auto& c : checks)
        if (id == c.id) {
            model_.*c.flag = form.Checked(id);
            mine = true;
        }
    const std::pair<int, Projection> views[] = {{ids_.top, Projection::Top},
                                                {ids_.side, Projection::Side},
                                                {ids_.front, Projection::Front}};
    for (const auto& [view, projection] : views)
        if (id == view) {
            model_.projection = projection;
            mine = true;
        }
    if (id == ids_.reset) {
        // The scroll bars keep their positions.
        model_.Reset();
        form.SetPosition(ids_.zoom, 0);
        mine = true;
    }
    if (mine) form.Invalidate(ids_.area);
    return mine;
}

bool ObjectiveDrawingPanel::OnScroll(Form& form, int id) {
    // The pan follows the drawing area's size at the time of the move.
    const Control* area = form.Find(ids_.area);
    const int w = areaWidth_ ? areaWidth_ : area->rect.right - area->rect.left;
    const int h = areaHeight_ ? areaHeight_ : area->rect.bottom - area->rect.top;
    if (id == ids_.zoom)
        model_.SetZoomPosition(form.Position(id));
    else if (id == ids_.hScroll)
        model_.ScrollHorizontal(form.Position(id), w);
    else if (id == ids_.vScroll)
        model_.ScrollVertical(form.Position(id), h);
    else
        return false;
    form.Invalidate(ids_.area);
    return true;
}

bool ObjectiveDrawingPanel::OnPaint(int id, Canvas& canvas) {
    if (id != ids_.area) return false;
    areaWidth_ = canvas.Width();
    areaHeight_ = canvas.Height();
    layout_ = model_.Draw(canvas);
    return true;
}

// ---- "Objective Viewer" ----

CObjectiveViewerDialog::CObjectiveViewerDialog(ShellContext& ctx, const ObjectiveRecord& objective)
    : Form("Objective Viewer", 560, 420),
      panel_(ctx.db, ObjectiveDrawingPanel::kViewerIds, "PT label"),
      objective_(objective) {
    panel_.AddTo(*this, {20, 10, 440, 390}, 450, 64);
    AddButton(kIdOk, "OK", {450, 10, 550, 32}).defaultButton = true;
    AddButton(kIdCancel, "Cancel", {450, 36, 550, 58});
    MakeResizable();
}

void CObjectiveViewerDialog::OnInitDialog() {
    for (int id : panel_.ColumnIds()) Anchor(id, 2, 0);
    Anchor(kIdOk, 2, 0);
    Anchor(kIdCancel, 2, 0);
    const auto& ids = ObjectiveDrawingPanel::kViewerIds;
    Anchor(ids.area, 1, 1);
    Anchor(ids.hScroll, 1, 2);
    Anchor(ids.vScroll, 0, 1);
    panel_.Init(*this);
    panel_.Build(*this, objective_);
}

void CObjectiveViewerDialog::OnButton(int id) {
    panel_.OnButton(*this, id);
}

void CObjectiveViewerDialog::OnScroll(int id, ScrollAction action, int thumb) {
    Form::OnScroll(id, action, thumb);
    panel_.OnScroll(*this, id);
}

void CObjectiveViewerDialog::OnPaint(int id, Canvas& canvas) {
    panel_.OnPaint(id, canvas);
}

}  // namespace tablon
