// The process's one resource archive: opening, closing and finding members by name.
#pragma once

#include <string>
#include <vector>

#include "lang/DArray.h"
#include "lang/DString.ptr"

namespace vela::io {

// Opens the archive `name` in the program's directory, closing the open one first; a missing
// or unreadable archive throws IOException and leaves no archive open.
void openArchive(const lang::DStringPtr& name);
// The same for an archive at a host path (tools and tests).
void openArchiveAt(const std::string& hostPath);
void closeArchive();
bool isArchiveOpen();
// Names of the open archive's non-directory members in archive order, as UTF-8.
std::vector<std::string> archiveMemberNames();
// Why the last archive operation failed, for tools that report it; "" after a success.
const std::string& archiveFailureReason();

// The hash of an 8-bit member name: h = h * 31 + b over the bytes taken as signed.
int32_t archiveNameHash(const std::string& name8);

// Decodes the member found by the hash of its 8-bit name; IOException when there is none
// or it does not decode.
lang::DbyteArrayPtr readArchiveMember(const std::string& name8);
// The size the archive declares for that member, without decoding it; -1 when there is none
// (or no archive is open).
int64_t archiveMemberSize(const std::string& name8);

} // namespace vela::io
