// The host side of record stores: one folder per store, one file per record named by its id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vela::microedition::rms {

// The folder of a store, from its name ("\" nests folders); "" when the name could leave
// the data folder (empty, ".", ".." or NUL parts) or the application name is unknown.
std::string storeFolderPath(const std::string& storeName);

// Opens (and with `create` makes) a store folder; returns the folder descriptor or -errno.
int openStoreFolder(const std::string& path, bool create);
// Removes a store folder with everything in it; 0 or an errno value (ENOENT when missing).
int deleteStoreFolder(const std::string& path);

// A record file name is a positive 32-bit id in plain decimal; anything else is not a record.
bool parseRecordName(const char* name, std::int32_t& id);
std::string recordName(std::int32_t id);

// The ids of the records in an open store folder; false on a host failure.
bool listRecordIds(int folderFd, std::vector<std::int32_t>& ids);
// Size of one record, or -errno (-ENOENT when it does not exist).
std::int64_t recordSize(int folderFd, std::int32_t id);
// 0 or an errno value.
int readRecord(int folderFd, std::int32_t id, std::vector<std::uint8_t>& out);
// Atomic; with `replace` false an existing record is kept and EEXIST returned.
int writeRecord(int folderFd, std::int32_t id, const std::uint8_t* data, std::size_t size,
                bool replace);

} // namespace vela::microedition::rms
