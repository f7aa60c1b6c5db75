#pragma once

#include <string>

// Pads `text` on the left with '0' up to `width` characters; longer texts stay.
void PadLeftWithZeros(std::string& text, int width);

// The first name prefix + zero-padded counter (1 to 999) + extension that does
// not exist in `folder` (which ends in a separator), or "" when all are taken.
std::string MakeUniqueFileName(const std::string& folder, const std::string& extension,
                               const std::string& prefix);
