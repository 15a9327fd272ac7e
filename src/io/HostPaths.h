// Where the program's files and the persistent data live on the host, and atomic file writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vela::io {

// The application name ("app.name") that places the data folder. The application layer
// registers its source; without one, or when it yields an empty name, the data folder is
// unknown and operations that need it fail.
using AppNameSource = std::string (*)();
void setAppNameSource(AppNameSource source);
std::string appName();

// The program's directory, from the "app.fullpath" property, in host form.
std::string programDirectory();
// $TINTROW_HOME, else $XDG_DATA_HOME, else $HOME/.local/share.
std::string dataBase();
// <base>/Vandrel/<app.name>, or "" when the application name is unknown.
std::string appDataFolder();
// Program names use "/" or "\" as separators; the host uses "/".
std::string toHostSeparators(std::string name);
// Joins a folder and a relative name with exactly one "/" between them.
std::string joinPath(const std::string& folder, const std::string& name);

// Where the program's plain files go: the host path of `name` in the program's directory,
// and its stand-in in <app data>/files for a program directory that cannot be written ("" when
// the application name is unknown).
std::string programFilePath(const std::string& name);
std::string programFileStandIn(const std::string& name);

// Creates a folder and its missing parents; true when it exists afterwards.
bool makeFolders(const std::string& path);
bool isWritableFolder(const std::string& path);

// Writes `data` as the file `name` in the open folder `folderFd` so that a crash at any
// moment leaves either the old file or the new one: temporary file, fsync, rename, fsync
// of the folder. With `replace` false an existing file is kept and the write fails with
// EEXIST. Returns 0 or an errno value.
int writeFileAtomically(int folderFd, const std::string& name, const std::uint8_t* data,
                        std::size_t size, bool replace);
// Temporary files of interrupted writes start with this prefix and are never real files.
inline constexpr char TEMPORARY_PREFIX[] = ".tmp-";

// Reads a whole open file; false on a host failure.
bool readWholeFile(int fd, std::vector<std::uint8_t>& out);

} // namespace vela::io
