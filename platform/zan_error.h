#pragma once

#include <stdexcept>
#include <string>

// Base of every exception the components throw at their public boundary (grid files, document
// view, print job, platform). The application catches it where a command starts and shows what().
class ZanError : public std::runtime_error
{
public:
    explicit ZanError(const std::string &message) : std::runtime_error(message) { }
};
