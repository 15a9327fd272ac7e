// One instance per data folder, by flock on a lock file that stays behind harmlessly.
#include "host/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace host {

InstanceLock::~InstanceLock()
{
    if (fd >= 0)
        close(fd); // closing drops the lock
}

InstanceLock::Result InstanceLock::acquire(const std::string& folder)
{
    if (folder.empty())
        return UNAVAILABLE;
    fd = open((folder + "/.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return UNAVAILABLE;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0)
        return ACQUIRED;
    Result result = errno == EWOULDBLOCK ? HELD_ELSEWHERE : UNAVAILABLE;
    close(fd);
    fd = -1;
    return result;
}

} // namespace host
