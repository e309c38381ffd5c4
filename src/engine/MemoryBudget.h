// How much memory the recorded values of the runs may take. A school computer
// is shared: besides the physical memory, the process may be held to an
// address-space limit (ulimit -v) or to the memory limit of its control
// group, and an allocation beyond either fails.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace qv {

// What is left below each bound, in bytes; nothing for a bound that is not set.
struct MemoryRoom {
    uint64_t Physical = 0;
    std::optional<uint64_t> AddressSpace;
    std::optional<uint64_t> ControlGroup;
};

// Half of the smallest room: the other half is for the curves built from
// the values and for everything else the program holds.
uint64_t BudgetWithin(const MemoryRoom& room);

// The room below the memory limit of the control group named in
// procSelfCgroup (the text of /proc/self/cgroup), with the hierarchy mounted
// at root: "memory.max" and "memory.current" (version 2) or
// "memory.limit_in_bytes" and "memory.usage_in_bytes" (version 1). Inside a
// container the group's own files may be at the root itself. Nothing when
// there is no limit or it cannot be read.
std::optional<uint64_t> ControlGroupRoom(const std::string& procSelfCgroup, const std::filesystem::path& root);

MemoryRoom CurrentMemoryRoom();

// The budget for the recorded values of all runs of a document together,
// from the room this process has now.
uint64_t RecordedValuesBudget();

}  // namespace qv
