// Record 1 of the game's single-record stores, with every store failure absorbed.
#pragma once

#include "lang/DbyteArray.ptr"

namespace tintrow {

// Null when the store is missing, holds no record 1, or cannot be read.
vela::lang::DbyteArrayPtr readRecordOne(const char16_t* storeName);
// Creates the store as needed; adds record 1 to an empty store, otherwise replaces it.
// Returns false when the host refused.
bool writeRecordOne(const char16_t* storeName, const vela::lang::DbyteArrayPtr& bytes);
bool storeHasRecord(const char16_t* storeName);
void removeStore(const char16_t* storeName);

} // namespace tintrow
