#pragma once

// The computer's memory, for refusing work that could never fit before it starts.

#include <cstdint>

// The physical memory of the computer in bytes, or 0 when the system does not say.
std::uint64_t physicalMemoryBytes();
