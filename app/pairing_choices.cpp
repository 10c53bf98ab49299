#include "pairing_choices.h"

#include <algorithm>

std::size_t PairingChoices::positionOf(const std::string &cock, const std::string &hen) const
{
    const auto found = std::find_if(m_choices.begin(), m_choices.end(), [&](const Chosen &chosen) {
        return chosen.pair.first == cock && chosen.pair.second == hen;
    });
    return static_cast<std::size_t>(found - m_choices.begin());
}

PairingChoices::Choice PairingChoices::choiceOf(
    const std::string &cock, const std::string &hen) const
{
    const std::size_t position = positionOf(cock, hen);
    return position == m_choices.size() ? Choice::Free : m_choices[position].choice;
}

PairingChoices::Choice PairingChoices::cycle(const std::string &cock, const std::string &hen)
{
    const std::size_t position = positionOf(cock, hen);
    if (position == m_choices.size()) {
        m_choices.push_back({ { cock, hen }, Choice::Fixed });
        return Choice::Fixed;
    }
    const auto found = m_choices.begin() + static_cast<std::ptrdiff_t>(position);
    if (found->choice == Choice::Fixed) {
        found->choice = Choice::Forbidden;
        return Choice::Forbidden;
    }
    m_choices.erase(found);
    return Choice::Free;
}

void PairingChoices::keepAmong(
    const std::vector<std::string> &cocks, const std::vector<std::string> &hens)
{
    const auto among = [](const std::vector<std::string> &bands, const std::string &band) {
        return std::find(bands.begin(), bands.end(), band) != bands.end();
    };
    std::erase_if(m_choices, [&](const Chosen &chosen) {
        return !among(cocks, chosen.pair.first) || !among(hens, chosen.pair.second);
    });
}

std::vector<PairingAllocation::BandPair> PairingChoices::of(Choice choice) const
{
    std::vector<PairingAllocation::BandPair> pairs;
    for (const Chosen &chosen : m_choices)
        if (chosen.choice == choice)
            pairs.push_back(chosen.pair);
    return pairs;
}
