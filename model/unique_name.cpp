#include "unique_name.h"

#include <sys/stat.h>

void PadLeftWithZeros(std::string& text, int width) {
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
}

std::string MakeUniqueFileName(const std::string& folder, const std::string& extension,
                               const std::string& prefix) {
    const int digits = 8 - static_cast<int>(prefix.size());
    for (int counter = 1; counter <= 999; ++counter) {
        std::string number = std::to_string(counter);
        PadLeftWithZeros(number, digits);
        std::string name = prefix + number + extension;
        const std::string path = folder + name;
        // lstat, so that a dangling link also counts as taken.
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return name;
    }
    return {};
}
