#pragma once

// The pairs the user fixes or forbids for the season's allocation, by the bands of the cock and
// the hen, in the order they were chosen (of two fixes that cannot both be kept, the allocation
// keeps the first). A pair is free, fixed or forbidden; choosing again moves it on in that
// cycle.
//
//   PairingChoices choices;
//   choices.cycle("NL-2019-1", "BE-2020-3");          // fixed
//   choices.cycle("NL-2019-1", "BE-2020-3");          // forbidden
//   limits.fixed = choices.fixed();
//   limits.forbidden = choices.forbidden();

#include "report/pairing_allocation.h"

#include <cstddef>
#include <string>
#include <vector>

class PairingChoices
{
public:
    enum class Choice {
        Free,
        Fixed,
        Forbidden,
    };

    Choice choiceOf(const std::string &cock, const std::string &hen) const;
    // Free becomes fixed (the latest fix), fixed forbidden, forbidden free; returns the new one.
    Choice cycle(const std::string &cock, const std::string &hen);
    void clear() { m_choices.clear(); }
    // Forgets the choices of the cocks and hens not among these.
    void keepAmong(const std::vector<std::string> &cocks, const std::vector<std::string> &hens);
    bool empty() const { return m_choices.empty(); }

    std::vector<PairingAllocation::BandPair> fixed() const { return of(Choice::Fixed); }
    std::vector<PairingAllocation::BandPair> forbidden() const { return of(Choice::Forbidden); }

private:
    struct Chosen
    {
        PairingAllocation::BandPair pair;
        Choice choice = Choice::Free;
    };

    // Of the pair in m_choices; its size when the pair is free.
    std::size_t positionOf(const std::string &cock, const std::string &hen) const;
    std::vector<PairingAllocation::BandPair> of(Choice choice) const;

    std::vector<Chosen> m_choices; // never free, in the order chosen
};
