// The anchoring engine of resizable dialogs: each anchored control's edges follow a percentage
// of the growth of the dialog's client area over its initial size.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tablon {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// A control moved to a new rectangle by a relayout.
struct Placement {
    int id;
    Rect rect;
    bool operator==(const Placement&) const = default;
};

class SizingLayout {
  public:
    static constexpr int kGripId = 65535;
    static constexpr uint32_t kNotInitialised = 0xFFFFFFFFu;
    enum Direction : unsigned { kHorizontal = 1, kVertical = 2 };
    enum class SizeKind { Restored, Minimized, Maximized };

    explicit SizingLayout(unsigned directions = kHorizontal | kVertical, bool gripWanted = true)
        : directions_(directions), gripWanted_(gripWanted) {}

    // Records the initial client size and window rectangle. With a grip wanted and a grip
    // bitmap of gripSize pixels available, the size grip (id 65535) is placed in the
    // bottom-right corner and anchored (2, 2). A grow percent p enlarges the window: for each
    // allowed direction both edges move out by size * p / 50 (the near edge not below 0).
    // Returns the window rectangle after that.
    Rect Init(int clientWidth, int clientHeight, Rect window, int growPercent = 0,
              int gripSize = 13);
    bool Initialised() const { return initialClientWidth_ != kNotInitialised; }

    // Anchors a control (nothing: it is not a window) with four percentages 0 to 100. Refused
    // when the layout is not initialised, the control is no window or all four are 0.
    // Returns the control's rectangle with the current growth applied.
    std::optional<Rect> Add(int id, std::optional<Rect> rect, int leftPct, int rightPct, int topPct,
                            int bottomPct, std::vector<int> movedWith = {});
    // Anchors by mode per axis: 0 stays, 1 stretches, 2 moves with the far side, 3 moves by
    // half.
    std::optional<Rect> Add(int id, std::optional<Rect> rect, int horizontalMode, int verticalMode,
                            std::vector<int> movedWith = {});

    // The client area has the new size: the new places of the anchored controls (newest
    // first), nothing when minimised or not initialised.
    std::vector<Placement> OnSize(SizeKind kind, int width, int height);
    std::vector<Placement> Relayout(int width, int height);

    struct MinMaxInfo {
        int minTrackWidth = 0, minTrackHeight = 0;
        std::optional<int> maxTrackWidth, maxTrackHeight;  // nothing: no limit
    };
    MinMaxInfo OnMinMaxInfo() const;

    bool HasGrip() const { return hasGrip_; }
    unsigned Directions() const { return directions_; }
    int InitialClientWidth() const { return int(initialClientWidth_); }
    int InitialClientHeight() const { return int(initialClientHeight_); }

  private:
    struct Anchored {
        int id;
        std::vector<int> movedWith;
        Rect initial;
        int left, right, top, bottom;
    };
    Rect Apply(const Anchored& a, int dx, int dy) const;

    unsigned directions_;
    bool gripWanted_;
    bool hasGrip_ = false;
    uint32_t initialClientWidth_ = kNotInitialised, initialClientHeight_ = kNotInitialised;
    int initialWindowWidth_ = 0, initialWindowHeight_ = 0;
    int clientWidth_ = 0, clientHeight_ = 0;  // current
    std::vector<Anchored> anchored_;          // newest first
};

}  // namespace tablon
