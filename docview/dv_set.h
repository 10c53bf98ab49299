#pragma once

#include <cstdint>
#include <initializer_list>

// A small set of enumeration values kept as a bit mask (values 0 to 31), the storage of every
// "set of" option type of the document view.
template <typename E> class DVSet
{
public:
    constexpr DVSet() = default;
    constexpr DVSet(std::initializer_list<E> values)
    {
        for (E value : values)
            m_bits |= bit(value);
    }

    constexpr bool contains(E value) const { return (m_bits & bit(value)) != 0; }
    constexpr bool empty() const { return m_bits == 0; }
    constexpr std::uint32_t bits() const { return m_bits; }

    constexpr DVSet &insert(E value)
    {
        m_bits |= bit(value);
        return *this;
    }
    constexpr DVSet &erase(E value)
    {
        m_bits &= ~bit(value);
        return *this;
    }
    constexpr DVSet &set(E value, bool on) { return on ? insert(value) : erase(value); }

    constexpr DVSet operator+(E value) const { return DVSet(*this).insert(value); }
    constexpr DVSet operator-(E value) const { return DVSet(*this).erase(value); }

    friend constexpr bool operator==(DVSet, DVSet) = default;

private:
    static constexpr std::uint32_t bit(E value)
    {
        return std::uint32_t(1) << static_cast<unsigned>(value);
    }

    std::uint32_t m_bits = 0;
};
