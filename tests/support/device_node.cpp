#include "device_node.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

std::string memoryDeviceNode(const std::string &folder, MemoryDevice device)
{
    // Minor numbers of the memory devices (major 1).
    const bool full = device == MemoryDevice::Full;
    const std::string name = full ? "full" : "null";
    const std::string node = folder + "/" + name;
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, full ? 7 : 3)) == 0)
        return node;
    return "/dev/" + name;
}
