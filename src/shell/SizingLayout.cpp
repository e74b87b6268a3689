#include "shell/SizingLayout.h"

#include <algorithm>

namespace tablon {

namespace {

// Percentages of the anchoring modes: near edge, far edge.
constexpr int kModePct[4][2] = {{0, 0}, {0, 100}, {100, 100}, {50, 50}};

}  // namespace

Rect SizingLayout::Init(int clientWidth, int clientHeight, Rect window, int growPercent,
                        int gripSize) {
    initialClientWidth_ = uint32_t(clientWidth);
    initialClientHeight_ = uint32_t(clientHeight);
    initialWindowWidth_ = window.Width();
    initialWindowHeight_ = window.Height();
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    anchored_.clear();
    hasGrip_ = false;
    if (gripWanted_ && gripSize > 0) {
        Rect grip{clientWidth - gripSize, clientHeight - gripSize, clientWidth, clientHeight};
        hasGrip_ = Add(kGripId, grip, 2, 2).has_value();
    }
    if (growPercent != 0) {
        if (directions_ & kHorizontal) {
            int d = window.Width() * growPercent / 50;
            window.left = std::max(0, window.left - d);
            window.right += d;
        }
        if (directions_ & kVertical) {
            int d = window.Height() * growPercent / 50;
            window.top = std::max(0, window.top - d);
            window.bottom += d;
        }
        clientWidth_ = clientWidth + window.Width() - initialWindowWidth_;
        clientHeight_ = clientHeight + window.Height() - initialWindowHeight_;
    }
    return window;
}

Rect SizingLayout::Apply(const Anchored& a, int dx, int dy) const {
    auto grow = [](int pct, int d) { return pct ? pct * d / 100 : 0; };
    return {a.initial.left + grow(a.left, dx), a.initial.top + grow(a.top, dy),
            a.initial.right + grow(a.right, dx), a.initial.bottom + grow(a.bottom, dy)};
}

std::optional<Rect> SizingLayout::Add(int id, std::optional<Rect> rect, int leftPct, int rightPct,
                                      int topPct, int bottomPct, std::vector<int> movedWith) {
    if (!Initialised() || !rect) return std::nullopt;
    if (leftPct == 0 && rightPct == 0 && topPct == 0 && bottomPct == 0) return std::nullopt;
    Anchored a{id, std::move(movedWith), *rect, leftPct, rightPct, topPct, bottomPct};
    anchored_.insert(anchored_.begin(), a);
    int dx = std::max(0, clientWidth_ - int(initialClientWidth_));
    int dy = std::max(0, clientHeight_ - int(initialClientHeight_));
    return Apply(anchored_.front(), dx, dy);
}

std::optional<Rect> SizingLayout::Add(int id, std::optional<Rect> rect, int horizontalMode,
                                      int verticalMode, std::vector<int> movedWith) {
    if (horizontalMode < 0 || horizontalMode > 3 || verticalMode < 0 || verticalMode > 3)
        return std::nullopt;
    return Add(id, rect, kModePct[horizontalMode][0], kModePct[horizontalMode][1],
               kModePct[verticalMode][0], kModePct[verticalMode][1], std::move(movedWith));
}

std::vector<Placement> SizingLayout::OnSize(SizeKind kind, int width, int height) {
    if (kind == SizeKind::Minimized || !Initialised()) return {};
    return Relayout(width, height);
}

std::vector<Placement> SizingLayout::Relayout(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    // The controls never move left of or above their initial places.
    int dx = std::max(0, width - int(initialClientWidth_));
    int dy = std::max(0, height - int(initialClientHeight_));
    std::vector<Placement> out;
    for (const auto& a : anchored_) {
        Rect r = Apply(a, dx, dy);
        out.push_back({a.id, r});
        for (int other : a.movedWith) out.push_back({other, r});
    }
    return out;
}

SizingLayout::MinMaxInfo SizingLayout::OnMinMaxInfo() const {
    MinMaxInfo info;
    info.minTrackWidth = initialWindowWidth_;
    info.minTrackHeight = initialWindowHeight_;
    if (!(directions_ & kHorizontal)) info.maxTrackWidth = initialWindowWidth_;
    if (!(directions_ & kVertical)) info.maxTrackHeight = initialWindowHeight_;
    return info;
}

}  // namespace tablon
