#include "other_user.h"

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

} // namespace

bool MakeSharedStickyFolder(const std::string& folder) {
    return ::chmod(folder.c_str(), 01777) == 0;
}

std::string PlantLinkAsNobody(const std::string& target, const std::string& link) {
    if (::geteuid() != 0)
        return "Plantar un enlace como otro usuario necesita ejecutar las pruebas como root.";
    const pid_t child = ::fork();
    if (child < 0)
        return std::string("fork: ") + std::strerror(errno);
    if (child == 0) {
        // Only async-signal-safe calls between fork and _exit.
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(2);
        ::_exit(::symlink(target.c_str(), link.c_str()) == 0 ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return "El proceso de nobody no terminó.";
    if (WEXITSTATUS(status) == 2)
        return "No se pudo pasar a ser el usuario nobody.";
    if (WEXITSTATUS(status) != 0)
        return "nobody no pudo crear el enlace " + link + ".";
    struct stat st {};
    if (::lstat(link.c_str(), &st) != 0 || st.st_uid != kNobody)
        return "El enlace " + link + " no quedó a nombre de nobody.";
    return {};
}
