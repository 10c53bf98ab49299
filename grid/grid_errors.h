#pragma once

#include "platform/zan_error.h"

#include <string>

// Raised by the grid for an index or count outside the table ("Grid index out of range") and for
// fixed counts that would leave no scrollable row or column. The grid is unchanged when it is raised.
class EInvalidGridOperation : public ZanError
{
public:
    explicit EInvalidGridOperation(const std::string &message) : ZanError(message) { }
};

// Raised by the grid's file operations: "Cannot Create file <name>", "Cannot open file <name>",
// or the text-file layer's message for a read or write failure after the file was opened.
class EEditGridError : public ZanError
{
public:
    explicit EEditGridError(const std::string &message) : ZanError(message) { }
};
