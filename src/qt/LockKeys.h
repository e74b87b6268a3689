// The state of the keyboard's lock keys as the window system reports it.
#pragma once

#include <optional>

namespace tablon {

struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Nothing when the window system does not tell (no X display).
std::optional<LockKeys> QueryLockKeys();

}  // namespace tablon
