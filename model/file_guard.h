#pragma once

// Reading and writing files where other people are at work too: a folder that
// every user may write to (/tmp, a shared drop folder), a named pipe or a
// device with a map's name, a file the user may not write. Every reader of a
// map, a lock or a picture and every writer of a map or an export goes
// through these checks, so that none of them hangs, follows a link another
// user planted or replaces a file in silence.

#include "problem.h"

#include <cstdint>
#include <cstdio>
#include <string>

// Opens `path` for reading without waiting on it: opening a named pipe, or
// reading one or a device, can block for ever. Only a regular file is opened;
// anything else is refused at once with `refusal` saying what it is. -1 on
// failure, with errno set when the system refused the open
// (and `refusal` empty then).
int OpenRegularFile(const std::string& path, Problem& refusal);

// The same as a stream to read with; null on failure.
std::FILE* OpenRegularStream(const std::string& path, Problem& refusal);

// Why `path` cannot be read as a file, when it exists and is not a regular
// file ("… es una tubería con nombre, no un archivo."), or empty.
Problem NotAFileReason(const std::string& path);

// The file a save through `path` writes: `path` itself, or the end of its chain
// of symbolic links. Empty when the chain loops or is too long.
std::string SaveTarget(const std::string& path);

// The same, for a write about to happen: `path` itself, or the end of
// its chain of symbolic links. A link is only followed when its owner is the
// user (or root), or when its folder is not one where anyone may put a link
// (world-writable with the sticky bit, as /tmp): there another user may have
// planted it to have a private file replaced. Empty, with the reason in
// `error`, when a link is refused, loops or is too long.
std::string TrustedWriteTarget(const std::string& path, Problem& error);

// What a regular file is on disk, to tell later whether another program
// replaced or changed it: any save makes a new file, any write a new time.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1; // -1: no regular file there
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// An existing file the user may not write by its permission bits (a folder
// that refuses the write is a different reason, reported where it happens).
bool IsReadOnlyFile(const std::string& path);
// "El archivo es de solo lectura: PATH.", for the caller to say what overrides it.
Problem ReadOnlyFileReason(const std::string& path);
