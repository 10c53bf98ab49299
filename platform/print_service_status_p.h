#pragma once

// The print service's answer to the last request made on this thread. Internal to platform/.

#include <string>

// Empty when the last request succeeded; otherwise the service's reason ("Destination ... is not
// accepting jobs."). Qt submits a finished job without looking at this answer.
std::string lastPrintServiceError();
