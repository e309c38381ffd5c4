// Runs a piece of a test in a child process whose address space may grow
// only by a given amount, so a test can show that something stays within a
// bound without needing the memory it would take otherwise.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <functional>

// Address-space limits cannot be combined with the sanitizers' shadow memory.
#if defined(__SANITIZE_ADDRESS__)
#define QV_ADDRESS_SPACE_LIMITS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_ADDRESS_SPACE_LIMITS 0
#endif
#endif
#ifndef QV_ADDRESS_SPACE_LIMITS
#define QV_ADDRESS_SPACE_LIMITS 1
#endif

// The address space this process uses now, in bytes.
inline uint64_t UsedAddressSpace() {
    uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * static_cast<uint64_t>(sysconf(_SC_PAGE_SIZE));
}

// Runs body in a child that may take `room` more bytes of address space; the
// child's exit code is what body returns, -1 when it died (a failed
// allocation ends in an abort).
inline int RunWithAddressSpaceRoom(uint64_t room, const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{UsedAddressSpace() + room, UsedAddressSpace() + room};
        setrlimit(RLIMIT_AS, &limit);
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
