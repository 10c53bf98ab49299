#include "pedigree_check.h"

#include "ancestry_graph.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <tuple>
#include <unordered_map>

namespace {

constexpr std::size_t band_length = 18;
constexpr int no_bird = -1;
constexpr int columns = 3; // identification, sire, dam
constexpr std::size_t rows_named = 6; // rows a message names before it counts the rest

std::size_t at(int index)
{
    return static_cast<std::size_t>(index);
}

// An unknown band, as the analysis reads it.
bool is_missing(std::string_view band)
{
    return band.empty() || band == " " || band == ".";
}

std::string quoted(std::string_view band)
{
    std::string text(1, '"');
    text += band;
    text += '"';
    return text;
}

void sort_unique(std::vector<int> &rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
}

// Windows-1252 leaves these bytes without a character.
bool is_undefined_byte(unsigned char byte)
{
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

// Characters above U+00FF that Windows-1252 has, at 0x80 to 0x9F.
bool has_8bit_code(char32_t character)
{
    static constexpr std::array<char32_t, 27> extras { 0x0152, 0x0153, 0x0160, 0x0161, 0x0178,
        0x017D, 0x017E, 0x0192, 0x02C6, 0x02DC, 0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C,
        0x201D, 0x201E, 0x2020, 0x2021, 0x2022, 0x2026, 0x2030, 0x2039, 0x203A, 0x20AC, 0x2122 };
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return true;
    return std::binary_search(extras.begin(), extras.end(), character);
}

// The length of the well-formed UTF-8 sequence of two to four bytes at `from`, and its character;
// 0 when the bytes there are not one.
std::size_t utf8_sequence(std::string_view text, std::size_t from, char32_t &character)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(from);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4
        : lead >= 0xE0                                      ? 3
        : lead >= 0xC2 && lead < 0xE0                       ? 2
                                                            : 0;
    if (length == 0 || from + length > text.size())
        return 0;
    character = lead & (0xFF >> (length + 1));
    for (std::size_t i = from + 1; i < from + length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        character = (character << 6) | (byte(i) & 0x3F);
    }
    static constexpr std::array<char32_t, 5> smallest { 0, 0, 0x80, 0x800, 0x10000 };
    if (character < smallest[length] || character > 0x10FFFF
        || (character >= 0xD800 && character <= 0xDFFF))
        return 0;
    return length;
}

// A cell is Windows-1252 bytes. A character has no 8-bit code when the cell holds a byte that
// code page leaves undefined, or a well-formed UTF-8 sequence (a file saved as UTF-8 text) of a
// character the code page lacks, such as a Chinese letter or a C1 control.
bool has_character_without_8bit_code(std::string_view band)
{
    for (std::size_t i = 0; i < band.size(); ++i) {
        const auto byte = static_cast<unsigned char>(band[i]);
        if (is_undefined_byte(byte))
            return true;
        char32_t character = 0;
        if (byte >= 0x80 && utf8_sequence(band, i, character) > 0 && !has_8bit_code(character))
            return true;
    }
    return false;
}

// The band as a breeder would say it: capitals, without spaces and the separators - . /.
std::string spoken_form(std::string_view band)
{
    std::string form;
    form.reserve(band.size());
    for (char c : band) {
        if (c == ' ' || c == '-' || c == '.' || c == '/')
            continue;
        form += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return form;
}

// Every distinct band of the rows numbered in order of first appearance (identification, sire,
// dam, row by row), and every cell that names it.
class pedigree_birds
{
public:
    explicit pedigree_birds(const std::vector<check_row> &rows)
    {
        m_cells.reserve(rows.size());
        m_numbers.reserve(rows.size() + rows.size() / 4);
        for (const check_row &row : rows)
            m_cells.push_back({ number(row.identification), number(row.sire), number(row.dam) });
        index_uses();
    }

    int count() const { return static_cast<int>(m_bands.size()); }
    std::string_view band(int bird) const { return m_bands[at(bird)]; }
    // The birds of a row's cells (index from 0); no_bird for an unknown band.
    const std::array<int, columns> &cells(std::size_t row_index) const
    {
        return m_cells[row_index];
    }
    std::size_t row_count() const { return m_cells.size(); }

    // The cells that name a bird, in row order, each as row index * 3 + column.
    const int *uses_begin(int bird) const { return m_uses.data() + m_first_use[at(bird)]; }
    const int *uses_end(int bird) const { return m_uses.data() + m_first_use[at(bird) + 1]; }

    // The rows (from 1) in which a bird stands in a column, or in any column for -1.
    std::vector<int> rows_of(int bird, int column = -1) const
    {
        std::vector<int> rows;
        for (const int *use = uses_begin(bird); use != uses_end(bird); ++use)
            if (column < 0 || *use % columns == column)
                rows.push_back(*use / columns + 1);
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        return rows;
    }

private:
    int number(const std::string &band)
    {
        if (is_missing(band))
            return no_bird;
        const auto [found, added] = m_numbers.try_emplace(band, count());
        if (added)
            m_bands.push_back(band);
        return found->second;
    }

    // A counting sort of the cells by bird.
    void index_uses()
    {
        m_first_use.assign(m_bands.size() + 1, 0);
        for (const auto &row : m_cells)
            for (int bird : row)
                if (bird != no_bird)
                    ++m_first_use[at(bird) + 1];
        for (std::size_t bird = 1; bird < m_first_use.size(); ++bird)
            m_first_use[bird] += m_first_use[bird - 1];
        m_uses.resize(at(m_first_use.back()));
        std::vector<int> next(m_first_use.begin(), m_first_use.end() - 1);
        for (std::size_t row = 0; row < m_cells.size(); ++row)
            for (int column = 0; column < columns; ++column)
                if (const int bird = m_cells[row][at(column)]; bird != no_bird)
                    m_uses[at(next[at(bird)]++)] = static_cast<int>(row) * columns + column;
    }

    std::vector<std::string_view> m_bands;
    std::unordered_map<std::string_view, int> m_numbers;
    std::vector<std::array<int, columns>> m_cells;
    std::vector<int> m_first_use;
    std::vector<int> m_uses;
};

class pedigree_checker
{
public:
    explicit pedigree_checker(const std::vector<check_row> &rows) : m_birds(rows) { }

    pedigree_findings run()
    {
        check_rows();
        for (int bird = 0; bird < m_birds.count(); ++bird)
            check_bird(bird);
        check_spellings();
        check_years();
        check_ancestry();
        std::stable_sort(m_result.findings.begin(), m_result.findings.end(),
            [](const finding &a, const finding &b) {
                return std::tie(a.severity, a.rows.front()) < std::tie(b.severity, b.rows.front());
            });
        return std::move(m_result);
    }

private:
    void add(finding_kind kind, finding_severity severity, std::string message,
        std::vector<std::string> bands, std::vector<int> rows)
    {
        m_result.findings.push_back(
            { kind, severity, std::move(message), std::move(bands), std::move(rows) });
    }

    std::string band(int bird) const { return std::string(m_birds.band(bird)); }

    void check_rows()
    {
        std::vector<int> empty_rows;
        for (std::size_t index = 0; index < m_birds.row_count(); ++index) {
            const auto &cells = m_birds.cells(index);
            const int row = static_cast<int>(index) + 1;
            if (cells[0] != no_bird)
                continue;
            if (cells[1] == no_bird && cells[2] == no_bird) {
                empty_rows.push_back(row);
                continue;
            }
            const char *parents = cells[1] == no_bird ? "a dam"
                : cells[2] == no_bird                 ? "a sire"
                                                      : "a sire and a dam";
            add(finding_kind::missing_band, finding_severity::error,
                std::string("a row with ") + parents
                    + " but no band of its own: the analysis skips it",
                {}, { row });
        }
        if (empty_rows.empty())
            return;
        std::string message = empty_rows.size() == 1
            ? "an empty row: the analysis lists it as a missing band"
            : std::to_string(empty_rows.size())
                + " empty rows: the analysis lists each as a missing band";
        add(finding_kind::empty_row, finding_severity::note, std::move(message), {},
            std::move(empty_rows));
    }

    void check_bird(int bird)
    {
        const std::string_view text = m_birds.band(bird);
        if (text.size() > band_length)
            add(finding_kind::band_too_long, finding_severity::error,
                quoted(text) + " has " + std::to_string(text.size())
                    + " characters, more than the 18 of a band: the analysis skips it",
                { band(bird) }, m_birds.rows_of(bird));
        if (has_character_without_8bit_code(text))
            add(finding_kind::no_8bit_code, finding_severity::warning,
                quoted(text)
                    + " holds characters that have no 8-bit code (text saved as UTF-8, or bytes"
                      " that stand for no character): type the band again",
                { band(bird) }, m_birds.rows_of(bird));
        check_own_rows(bird);
        check_roles(bird);
    }

    void check_own_rows(int bird)
    {
        const std::vector<int> rows = m_birds.rows_of(bird, 0);
        if (rows.size() < 2)
            return;
        const auto &first = m_birds.cells(at(rows.front() - 1));
        const bool differ = std::any_of(rows.begin() + 1, rows.end(), [&](int row) {
            const auto &cells = m_birds.cells(at(row - 1));
            return cells[1] != first[1] || cells[2] != first[2];
        });
        const std::string count = std::to_string(rows.size());
        if (differ)
            add(finding_kind::repeated_band, finding_severity::error,
                band(bird) + " has " + count
                    + " rows with different parents: the analysis keeps the first and refuses"
                      " the others",
                { band(bird) }, rows);
        else
            add(finding_kind::repeated_band, finding_severity::note,
                band(bird) + " has " + count + " identical rows: the analysis uses one of them",
                { band(bird) }, rows);
    }

    void check_roles(int bird)
    {
        std::vector<int> as_sire = m_birds.rows_of(bird, 1);
        std::vector<int> as_dam = m_birds.rows_of(bird, 2);
        if (as_sire.empty() || as_dam.empty())
            return;
        std::string message = band(bird) + " is named as a sire (" + rows_text(as_sire)
            + ") and as a dam (" + rows_text(as_dam)
            + "): the analysis refuses rows once it has seen both";
        as_sire.insert(as_sire.end(), as_dam.begin(), as_dam.end());
        sort_unique(as_sire);
        add(finding_kind::both_sexes, finding_severity::error, std::move(message), { band(bird) },
            std::move(as_sire));
    }

    // Bands equal apart from letter case, spaces and separators: the first spelling met keeps
    // the group, the others are chained behind it.
    void check_spellings()
    {
        std::unordered_map<std::string, int> first_spelling;
        first_spelling.reserve(at(m_birds.count()));
        std::vector<int> next(at(m_birds.count()), no_bird);
        std::vector<int> last(at(m_birds.count()), no_bird);
        std::vector<int> heads;
        for (int bird = 0; bird < m_birds.count(); ++bird) {
            const std::string form = spoken_form(m_birds.band(bird));
            if (form.empty())
                continue;
            const auto [found, added] = first_spelling.try_emplace(form, bird);
            if (added) {
                last[at(bird)] = bird;
                continue;
            }
            const int head = found->second;
            if (next[at(head)] == no_bird)
                heads.push_back(head);
            next[at(last[at(head)])] = bird;
            last[at(head)] = bird;
        }
        for (int head : heads)
            report_spellings(head, next);
    }

    void report_spellings(int head, const std::vector<int> &next)
    {
        std::vector<std::string> bands;
        std::vector<int> rows;
        std::string message;
        for (int bird = head; bird != no_bird; bird = next[at(bird)]) {
            const std::vector<int> own = m_birds.rows_of(bird);
            if (!message.empty())
                message += next[at(bird)] == no_bird ? " and " : ", ";
            message += quoted(m_birds.band(bird)) + " (" + rows_text(own) + ")";
            bands.push_back(band(bird));
            rows.insert(rows.end(), own.begin(), own.end());
        }
        sort_unique(rows);
        add(finding_kind::similar_bands, finding_severity::warning,
            message
                + " differ only in letter case, spaces or separators: the analysis takes them for"
                  " different birds",
            std::move(bands), std::move(rows));
    }

    void check_years()
    {
        std::vector<int> years(at(m_birds.count()));
        for (int bird = 0; bird < m_birds.count(); ++bird)
            years[at(bird)] = band_year(m_birds.band(bird));
        // (young, parent, column) -> its finding, so that repeated rows add rows, not findings.
        std::map<std::tuple<int, int, int>, std::size_t> found;
        for (std::size_t index = 0; index < m_birds.row_count(); ++index) {
            const auto &cells = m_birds.cells(index);
            const int young = cells[0];
            if (young == no_bird || years[at(young)] == 0)
                continue;
            for (int column = 1; column < columns; ++column) {
                const int parent = cells[at(column)];
                if (parent == no_bird || years[at(parent)] <= years[at(young)])
                    continue;
                const int row = static_cast<int>(index) + 1;
                const auto [place, added]
                    = found.try_emplace({ young, parent, column }, m_result.findings.size());
                if (!added) {
                    m_result.findings[place->second].rows.push_back(row);
                    continue;
                }
                add(finding_kind::parent_younger, finding_severity::warning,
                    std::string(column == 1 ? "sire " : "dam ") + band(parent) + " ("
                        + std::to_string(years[at(parent)]) + ") is younger than its young "
                        + band(young) + " (" + std::to_string(years[at(young)]) + ")",
                    { band(young), band(parent) }, { row });
            }
        }
    }

    ancestry_graph graph() const
    {
        ancestry_graph graph;
        graph.first.assign(at(m_birds.count()) + 1, 0);
        for (int bird = 0; bird < m_birds.count(); ++bird) {
            graph.first[at(bird)] = static_cast<int>(graph.links.size());
            for (const int *use = m_birds.uses_begin(bird); use != m_birds.uses_end(bird); ++use) {
                if (*use % columns != 0)
                    continue;
                const auto &cells = m_birds.cells(at(*use / columns));
                for (int column = 1; column < columns; ++column)
                    if (cells[at(column)] != no_bird)
                        graph.links.push_back({ cells[at(column)], *use / columns + 1 });
            }
        }
        graph.first.back() = static_cast<int>(graph.links.size());
        return graph;
    }

    void check_ancestry()
    {
        // A loop starts at its lowest band, so it reads the same whatever the order of the rows.
        const ancestry_walk walk = walk_ancestry(
            graph(), [this](int a, int b) { return m_birds.band(a) < m_birds.band(b); });
        for (const ancestry_loop &loop : walk.loops)
            report_loop(loop);
        summarise(walk.deepest_generation);
    }

    void report_loop(const ancestry_loop &loop)
    {
        std::vector<std::string> bands;
        std::string chain;
        for (int bird : loop.birds) {
            bands.push_back(band(bird));
            chain += band(bird) + " -> ";
        }
        chain += bands.front();
        std::string message;
        if (loop.birds.size() == 1) {
            message = bands.front() + " is its own " + own_role(loop) + ": a loop of one (" + chain
                + ")";
        } else {
            message
                = "the ancestry loops: " + chain + " (each bird is a parent of the one before it)";
        }
        message += ": the analysis cannot order a pedigree that loops";
        if (loop.knot_size > static_cast<int>(loop.birds.size()))
            message += "; " + std::to_string(loop.knot_size)
                + " birds are caught in loops with one another: mend this one and check again";
        add(finding_kind::loop, finding_severity::error, std::move(message), std::move(bands),
            loop.rows);
    }

    std::string own_role(const ancestry_loop &loop) const
    {
        bool sire = false;
        bool dam = false;
        const int bird = loop.birds.front();
        for (int row : loop.rows) {
            sire = sire || m_birds.cells(at(row - 1))[1] == bird;
            dam = dam || m_birds.cells(at(row - 1))[2] == bird;
        }
        return sire && dam ? "sire and dam" : sire ? "sire" : "dam";
    }

    // The figures of the pedigree, each bird taken with its first row as the analysis takes it.
    void summarise(int deepest_generation)
    {
        pedigree_summary &summary = m_result.summary;
        summary.birds = m_birds.count();
        summary.deepest_generation = deepest_generation;
        for (int bird = 0; bird < m_birds.count(); ++bird) {
            const int *use = std::find_if(m_birds.uses_begin(bird), m_birds.uses_end(bird),
                [](int cell) { return cell % columns == 0; });
            if (use == m_birds.uses_end(bird)) {
                ++summary.founders;
                ++summary.parents_without_row;
                continue;
            }
            const auto &cells = m_birds.cells(at(*use / columns));
            const int known = (cells[1] != no_bird ? 1 : 0) + (cells[2] != no_bird ? 1 : 0);
            summary.founders += known == 0 ? 1 : 0;
            summary.one_parent_unknown += known == 1 ? 1 : 0;
        }
    }

    pedigree_birds m_birds;
    pedigree_findings m_result;
};

// 2 or 4 digits of a year at `from`, followed by a separator and more; 0 otherwise.
int year_at(std::string_view band, std::size_t from)
{
    std::size_t end = from;
    int value = 0;
    while (end < band.size() && band[end] >= '0' && band[end] <= '9')
        value = value * 10 + (band[end++] - '0');
    const std::size_t digits = end - from;
    if (end + 1 >= band.size() || std::string_view(" -./").find(band[end]) == std::string::npos)
        return 0;
    if (digits == 2)
        return value < 50 ? 2000 + value : 1900 + value;
    if (digits == 4 && value >= 1900 && value <= 2099)
        return value;
    return 0;
}

} // namespace

std::string rows_text(const std::vector<int> &rows)
{
    std::string text = rows.size() == 1 ? "row " : "rows ";
    const std::size_t named = rows.size() > rows_named + 1 ? rows_named : rows.size();
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0)
            text += i + 1 == named && named == rows.size() ? " and " : ", ";
        text += std::to_string(rows[i]);
    }
    if (named < rows.size())
        text += " and " + std::to_string(rows.size() - named) + " more";
    return text;
}

std::string counts_text(int errors, int warnings, int notes)
{
    std::vector<std::string> parts;
    const auto count = [&parts](int number, const char *word) {
        if (number > 0)
            parts.push_back(std::to_string(number) + " " + word + (number == 1 ? "" : "s"));
    };
    count(errors, "error");
    count(warnings, "warning");
    count(notes, "note");
    if (parts.empty())
        return "no problems";
    std::string text = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i)
        text += (i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

int pedigree_findings::count(finding_severity severity) const
{
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
        [severity](const finding &f) { return f.severity == severity; }));
}

bool pedigree_findings::has_problems() const
{
    return count(finding_severity::error) + count(finding_severity::warning) > 0;
}

pedigree_findings check_pedigree(const std::vector<check_row> &rows)
{
    return pedigree_checker(rows).run();
}

std::string_view kind_name(finding_kind kind)
{
    switch (kind) {
    case finding_kind::loop:
        return "loop";
    case finding_kind::both_sexes:
        return "both_sexes";
    case finding_kind::repeated_band:
        return "repeated_band";
    case finding_kind::similar_bands:
        return "similar_bands";
    case finding_kind::parent_younger:
        return "parent_younger";
    case finding_kind::missing_band:
        return "missing_band";
    case finding_kind::empty_row:
        return "empty_row";
    case finding_kind::band_too_long:
        return "band_too_long";
    case finding_kind::no_8bit_code:
        return "no_8bit_code";
    }
    return "";
}

std::string_view severity_name(finding_severity severity)
{
    switch (severity) {
    case finding_severity::error:
        return "error";
    case finding_severity::warning:
        return "warning";
    case finding_severity::note:
        return "note";
    }
    return "";
}

int band_year(std::string_view band)
{
    std::size_t letters = 0;
    while (letters < band.size()
        && ((band[letters] >= 'A' && band[letters] <= 'Z')
            || (band[letters] >= 'a' && band[letters] <= 'z')))
        ++letters;
    if (letters < 2 || letters > 3 || letters + 1 >= band.size()
        || std::string_view(" -./").find(band[letters]) == std::string::npos)
        return 0;
    return year_at(band, letters + 1);
}
