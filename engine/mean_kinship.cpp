#include "mean_kinship.h"

#include <algorithm>

namespace {

bool contains(const std::vector<int> &list, int bird)
{
    return std::find(list.begin(), list.end(), bird) != list.end();
}

// The birds of `list` that the pedigree holds; the others go to `leftOut`.
std::vector<int> known(
    const kinship &pedigree, const std::vector<int> &list, std::vector<int> &leftOut)
{
    std::vector<int> kept;
    for (const int bird : list) {
        if (bird >= 0 && bird < pedigree.bird_count())
            kept.push_back(bird);
        else if (!contains(leftOut, bird))
            leftOut.push_back(bird);
    }
    return kept;
}

} // namespace

mean_kinship::result mean_kinship::compute(
    const kinship &pedigree, const std::vector<int> &candidates, const std::vector<int> &group)
{
    result out;
    const std::vector<int> chosen = known(pedigree, candidates, out.left_out);
    std::vector<int> members;
    std::vector<char> counted(static_cast<std::size_t>(pedigree.bird_count()), 0);
    for (const int bird : known(pedigree, group.empty() ? candidates : group, out.left_out))
        if (!counted[static_cast<std::size_t>(bird)]++)
            members.push_back(bird);

    const kinship::plan plan = pedigree.plan_pairs(chosen, members, false);
    for (const int bird : plan.looped)
        if (!contains(out.left_out, bird))
            out.left_out.push_back(bird);
    out.birds = plan.cocks;
    out.group = plan.hens;
    out.mean.assign(plan.cocks.size(), 0.0);
    if (plan.hens.empty())
        return out;
    for (std::size_t c = 0; c < plan.cocks.size(); ++c) {
        double sum = 0.0;
        for (std::size_t h = 0; h < plan.hens.size(); ++h)
            sum += plan.at(c, h).inbreeding;
        out.mean[c] = sum / static_cast<double>(plan.hens.size());
    }
    return out;
}
