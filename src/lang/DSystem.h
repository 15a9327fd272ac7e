// System services of the runtime: array copies, the millisecond clock and system properties.
#pragma once

#include <cstdint>

#include "lang/DArray.h"
#include "lang/DString.ptr"

namespace vela::lang {

class DSystem {
public:
    // Object arrays: null arrays throw NullPointerException, negative or past-the-end
    // positions IndexOutOfBoundsException; the count is clipped to the destination, and a
    // copy within one array goes through a temporary so overlapping ranges stay intact.
    static void arraycopy(const DObjectArrayPtr& source, int32_t sourcePos,
        const DObjectArrayPtr& destination, int32_t destinationPos, int32_t length);
    // Primitive arrays copy all or nothing: any range outside either array throws
    // IndexOutOfBoundsException. Overlapping ranges are safe.
    static void arraycopy(const DbyteArrayPtr& source, int32_t sourcePos,
        const DbyteArrayPtr& destination, int32_t destinationPos, int32_t length);
    static void arraycopy(const DshortArrayPtr& source, int32_t sourcePos,
        const DshortArrayPtr& destination, int32_t destinationPos, int32_t length);
    static void arraycopy(const DintArrayPtr& source, int32_t sourcePos,
        const DintArrayPtr& destination, int32_t destinationPos, int32_t length);

    // The host's millisecond tick count (see lang/HostHooks.h), widened to 64 bits.
    static int64_t currentTimeMillis();

    // Text properties: "file.separator", "app.fullpath", "archive.name", "archive.password",
    // "platform.string"; null for any other key. Computed afresh on each query.
    static DStringPtr getProperty(const DStringPtr& key);
    static DStringPtr getProperty(const char16_t* key);
    // Number properties ("platform.type", "input.*", "sound.*"); -1 for any other key.
    static int32_t getIntProperty(const DStringPtr& key);
    static int32_t getIntProperty(const char16_t* key);
};

} // namespace vela::lang
