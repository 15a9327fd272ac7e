// One instance per data folder: an advisory lock on a file in that folder.
#pragma once

#include <string>

namespace host {

class InstanceLock {
public:
    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    enum Result { ACQUIRED, HELD_ELSEWHERE, UNAVAILABLE };
    // In an existing folder. UNAVAILABLE when the lock file cannot be made at all.
    Result acquire(const std::string& folder);

private:
    int fd = -1;
};

} // namespace host
