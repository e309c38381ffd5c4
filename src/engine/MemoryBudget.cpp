#include "engine/MemoryBudget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace qv {

namespace {

uint64_t Below(uint64_t limit, uint64_t used) { return limit > used ? limit - used : 0; }

// A number from a one-line file; nothing for "max", a missing file or text.
std::optional<uint64_t> ReadNumber(const std::filesystem::path& file) {
    std::ifstream in(file);
    uint64_t value = 0;
    if (!(in >> value)) return std::nullopt;
    return value;
}

std::optional<uint64_t> RoomIn(const std::filesystem::path& folder, const char* limitName, const char* usageName) {
    auto limit = ReadNumber(folder / limitName);
    // Version 1 writes "no limit" as a number near 2^63.
    if (!limit || *limit >= (uint64_t{1} << 62)) return std::nullopt;
    return Below(*limit, ReadNumber(folder / usageName).value_or(0));
}

uint64_t PhysicalMemory() {
    long pages = sysconf(_SC_PHYS_PAGES);
    long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return uint64_t{2} << 30;
    return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
}

std::optional<uint64_t> AddressSpaceRoom() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
    uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return Below(limit.rlim_cur, pages * static_cast<uint64_t>(sysconf(_SC_PAGE_SIZE)));
}

}  // namespace

uint64_t BudgetWithin(const MemoryRoom& room) {
    uint64_t smallest = room.Physical;
    if (room.AddressSpace) smallest = std::min(smallest, *room.AddressSpace);
    if (room.ControlGroup) smallest = std::min(smallest, *room.ControlGroup);
    return smallest / 2;
}

std::optional<uint64_t> ControlGroupRoom(const std::string& procSelfCgroup, const std::filesystem::path& root) {
    std::istringstream lines(procSelfCgroup);
    std::string line;
    while (std::getline(lines, line)) {
        // "ID:CONTROLLERS:PATH"; version 2 has ID 0 and no controllers.
        const auto first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::filesystem::path group = std::filesystem::path(line.substr(second + 1)).relative_path();
        std::optional<uint64_t> room;
        if (controllers.empty()) {
            for (const auto& folder : {root / group, root})
                if (!room) room = RoomIn(folder, "memory.max", "memory.current");
        } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
            for (const auto& folder : {root / "memory" / group, root / "memory"})
                if (!room) room = RoomIn(folder, "memory.limit_in_bytes", "memory.usage_in_bytes");
        }
        if (room) return room;
    }
    return std::nullopt;
}

MemoryRoom CurrentMemoryRoom() {
    std::ifstream file("/proc/self/cgroup");
    std::ostringstream text;
    text << file.rdbuf();
    return {PhysicalMemory(), AddressSpaceRoom(), ControlGroupRoom(text.str(), "/sys/fs/cgroup")};
}

uint64_t RecordedValuesBudget() { return BudgetWithin(CurrentMemoryRoom()); }

}  // namespace qv
