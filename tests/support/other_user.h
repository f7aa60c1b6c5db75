#pragma once

// Another user of the machine, for the tests of shared folders: a folder that
// every user may write to with the sticky bit (as /tmp), and a symbolic link
// that "nobody" plants in it.

#include <string>

// Makes `folder` writable by every user, with the sticky bit. False when it
// cannot be done.
bool MakeSharedStickyFolder(const std::string& folder);

// Plants, as the user "nobody" (65534), a symbolic link at `link` that leads
// to `target`. Empty when it was planted; otherwise why it cannot be done here
// (the tests run as root to have another user at hand), for GTEST_SKIP.
std::string PlantLinkAsNobody(const std::string& target, const std::string& link);
