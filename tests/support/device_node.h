#pragma once

#include <string>

// Kernel devices for writing into: null takes every byte, full refuses every write with "No
// space left on device".
enum class MemoryDevice { Null, Full };

// A node of the device in `folder`, named "null" or "full", so that code which wrongly replaces
// or removes it harms nothing; the system's own /dev/null or /dev/full where making a device node
// is not allowed (whoever may not make one may not replace those either).
std::string memoryDeviceNode(const std::string &folder, MemoryDevice device);
