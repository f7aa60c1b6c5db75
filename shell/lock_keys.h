#pragma once

// The state of the Caps, Num and Scroll lock keys, where the window system tells it.

#include <optional>

struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Nothing when the platform does not say (Wayland, offscreen, other systems).
std::optional<LockKeys> QueryLockKeys();
