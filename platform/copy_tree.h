// Copying and removing a file-system entry with everything below it, relative to open directory
// handles and on raw byte names. Links inside the tree are never followed: a symbolic link is
// copied as a link, so a copy never reaches outside the entry it was asked for.
#pragma once

namespace tallyrun::platform {

// Copies the entry `name` of directory `fromDir` to the new entry `name` of `toDir`, which must
// not exist (it is never replaced). Regular files keep their permission bits and modification
// time; folders are copied recursively; fifos are made anew; devices and sockets are refused.
// Returns 0 or the errno of the first failure; on failure whatever was created is removed
// again, so the target folder is as before. EEXIST means the name was already taken.
int CopyEntryAt(int fromDir, const char* name, int toDir);

// Removes the entry `name` of `dir` and, for a folder, everything below it, without following
// links. Returns 0 or the errno of the first failure (the rest is then left in place).
int RemoveEntryAt(int dir, const char* name);

} // namespace tallyrun::platform
