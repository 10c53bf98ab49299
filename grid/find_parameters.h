#pragma once

#include <initializer_list>

// Options of a search in the grid (TEditGrid::Find), a set of flags in this bit order from bit 0.
//
//   TFindParameters p { fnAutoGoto, fnDirectionLeftRight };
//   p += fnMatchCase;
//   p.contains(fnBackward) == false;   p.bits() == 0x109
enum TFindParameter {
    fnMatchCase, // compare letter case exactly (otherwise both sides are upper-cased)
    fnMatchFull, // the whole cell text must equal the search text
    fnMatchRegular, // accepted, never set by this program: the text is always plain
    fnDirectionLeftRight, // row by row (reading order) instead of column by column
    fnMatchStart, // the cell text must start with the search text
    fnFindInCurrentRow, // search only the current row
    fnFindInCurrentCol, // search only the current column
    fnIncludeFixed, // search the header rows and columns too
    fnAutoGoto, // make the match the current cell
    fnIgnoreHTMLTags, // compare the cell text with its markup removed
    fnBackward, // towards the first cell instead of the last
    fnIncludeHiddenColumns, // accepted, no effect: the grid hides no columns
};

class TFindParameters
{
public:
    constexpr TFindParameters() = default;
    constexpr TFindParameters(std::initializer_list<TFindParameter> parameters)
    {
        for (TFindParameter parameter : parameters)
            *this += parameter;
    }

    constexpr bool contains(TFindParameter parameter) const
    {
        return (m_bits & bit(parameter)) != 0;
    }
    constexpr TFindParameters &operator+=(TFindParameter parameter)
    {
        m_bits |= bit(parameter);
        return *this;
    }
    constexpr TFindParameters &operator-=(TFindParameter parameter)
    {
        m_bits &= ~bit(parameter);
        return *this;
    }
    // The set as bits, fnMatchCase in bit 0.
    constexpr unsigned bits() const { return m_bits; }

    friend constexpr bool operator==(TFindParameters, TFindParameters) = default;

private:
    static constexpr unsigned bit(TFindParameter parameter) { return 1u << unsigned(parameter); }

    unsigned m_bits = 0;
};
