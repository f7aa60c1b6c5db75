// Reads arbitrary bytes as a lock file: another editor, a damaged disk or a
// person may have written anything beside a map. What reads as a lock must
// read the same once written back.
#include "map_lock.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    LockOwner owner;
    if (!ParseLock(text, owner))
        return 0;
    LockOwner again;
    if (!ParseLock(FormatLock(owner), again) || again.user != owner.user ||
        again.host != owner.host || again.pid != owner.pid || again.start != owner.start ||
        again.since != owner.since)
        __builtin_trap();
    return 0;
}
