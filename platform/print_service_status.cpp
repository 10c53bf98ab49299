#include "print_service_status_p.h"

#include <cups/cups.h>

std::string lastPrintServiceError()
{
    const ipp_status_t status = cupsLastError();
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    const char *reason = cupsLastErrorString();
    return reason && *reason ? reason : ippErrorString(status);
}
