#include "print_job.h"

std::vector<int> printPageOrder(int first, int last, int copies, bool collate)
{
    std::vector<int> order;
    if (collate) {
        for (int copy = 1; copy <= copies; ++copy)
            for (int page = first; page <= last; ++page)
                order.push_back(page);
        return order;
    }
    for (int page = first; page <= last; ++page)
        for (int copy = 1; copy <= copies; ++copy)
            order.push_back(page);
    return order;
}
