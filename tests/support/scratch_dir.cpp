#include "scratch_dir.h"

#include <algorithm>
#include <random>
#include <unistd.h>

ScratchDir::ScratchDir() {
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path = base / ("veltrix-test-" + std::to_string(::getpid()) + "-" +
                         std::to_string(rd() % 1000000));
        if (std::filesystem::create_directory(m_path))
            break;
    }
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::vector<std::string> ScratchDir::Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(m_path))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
