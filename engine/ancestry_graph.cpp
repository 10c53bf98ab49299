#include "ancestry_graph.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int unvisited = -1;

// Tarjan's search for strongly connected components (here: knots of birds that are each other's
// ancestors), with an explicit stack of frames instead of recursion. A knot is closed only after
// every knot its birds descend from, so each knot's depth follows from closed knots alone.
class knot_search
{
public:
    knot_search(const ancestry_graph &graph, const std::function<bool(int, int)> &starts_before)
        : m_graph(graph), m_starts_before(starts_before),
          m_index(static_cast<std::size_t>(graph.bird_count()), unvisited),
          m_low(m_index.size(), 0), m_knot(m_index.size(), unvisited), m_depth(m_index.size(), 0),
          m_on_stack(m_index.size(), false), m_came_from(m_index.size(), unvisited)
    { }

    ancestry_walk run()
    {
        for (int bird = 0; bird < m_graph.bird_count(); ++bird)
            if (m_index[at(bird)] == unvisited)
                search_from(bird);
        return std::move(m_walk);
    }

private:
    struct frame
    {
        int bird;
        int next_link;
    };

    static std::size_t at(int bird) { return static_cast<std::size_t>(bird); }
    int links_end(int bird) const { return m_graph.first[at(bird) + 1]; }

    void enter(int bird)
    {
        m_index[at(bird)] = m_low[at(bird)] = m_entered++;
        m_stack.push_back(bird);
        m_on_stack[at(bird)] = true;
        m_frames.push_back({ bird, m_graph.first[at(bird)] });
    }

    void search_from(int root)
    {
        enter(root);
        while (!m_frames.empty()) {
            frame &top = m_frames.back();
            const int bird = top.bird;
            if (top.next_link < links_end(bird)) {
                const int parent = m_graph.links[at(top.next_link++)].parent;
                if (m_index[at(parent)] == unvisited)
                    enter(parent);
                else if (m_on_stack[at(parent)])
                    m_low[at(bird)] = std::min(m_low[at(bird)], m_index[at(parent)]);
                continue;
            }
            m_frames.pop_back();
            if (m_low[at(bird)] == m_index[at(bird)])
                close_knot(bird);
            if (!m_frames.empty()) {
                const int child = m_frames.back().bird;
                m_low[at(child)] = std::min(m_low[at(child)], m_low[at(bird)]);
            }
        }
    }

    void close_knot(int root)
    {
        // The knot is the top of the stack down to its root: searched from the top, so that the
        // work is the knot's size, not the depth of the line below it.
        const auto begin = std::find(m_stack.rbegin(), m_stack.rend(), root).base() - 1;
        const std::vector<int> members(begin, m_stack.end());
        m_stack.erase(begin, m_stack.end());
        const int knot = m_knots++;
        for (int bird : members) {
            m_on_stack[at(bird)] = false;
            m_knot[at(bird)] = knot;
        }
        int depth = 1;
        for (int bird : members) {
            for (int link = m_graph.first[at(bird)]; link < links_end(bird); ++link) {
                const int parent = m_graph.links[at(link)].parent;
                if (m_knot[at(parent)] != knot)
                    depth = std::max(depth, m_depth[at(parent)] + 1);
            }
            add_self_loop(bird);
        }
        for (int bird : members)
            m_depth[at(bird)] = depth;
        m_walk.deepest_generation = std::max(m_walk.deepest_generation, depth);
        if (members.size() > 1)
            m_walk.loops.push_back(shortest_loop(members, knot));
    }

    void add_self_loop(int bird)
    {
        ancestry_loop loop { { bird }, {}, 1 };
        for (int link = m_graph.first[at(bird)]; link < links_end(bird); ++link)
            if (m_graph.links[at(link)].parent == bird)
                loop.rows.push_back(m_graph.links[at(link)].row);
        if (loop.rows.empty())
            return;
        loop.rows.erase(std::unique(loop.rows.begin(), loop.rows.end()), loop.rows.end());
        m_walk.loops.push_back(std::move(loop));
    }

    // The shortest loop through the knot's first bird: a breadth-first search inside the knot
    // from that bird until a link leads back to it.
    ancestry_loop shortest_loop(const std::vector<int> &members, int knot)
    {
        const int start = *std::min_element(members.begin(), members.end(), m_starts_before);
        std::vector<int> reached { start };
        int closing_link = unvisited;
        for (std::size_t next = 0; next < reached.size() && closing_link == unvisited; ++next) {
            const int bird = reached[next];
            for (int link = m_graph.first[at(bird)]; link < links_end(bird); ++link) {
                const int parent = m_graph.links[at(link)].parent;
                if (m_knot[at(parent)] != knot || parent == bird)
                    continue;
                if (parent == start) {
                    closing_link = link;
                    break;
                }
                if (m_came_from[at(parent)] != unvisited)
                    continue;
                m_came_from[at(parent)] = link;
                reached.push_back(parent);
            }
        }
        ancestry_loop loop { {}, { m_graph.links[at(closing_link)].row },
            static_cast<int>(members.size()) };
        // Back from the bird of the closing link to the start, along the links that reached them.
        int bird = link_owner(closing_link);
        for (; bird != start; bird = link_owner(m_came_from[at(bird)])) {
            loop.birds.push_back(bird);
            loop.rows.push_back(m_graph.links[at(m_came_from[at(bird)])].row);
        }
        loop.birds.push_back(start);
        std::reverse(loop.birds.begin(), loop.birds.end());
        std::sort(loop.rows.begin(), loop.rows.end());
        loop.rows.erase(std::unique(loop.rows.begin(), loop.rows.end()), loop.rows.end());
        for (int reached_bird : reached)
            m_came_from[at(reached_bird)] = unvisited;
        return loop;
    }

    // The bird whose links hold `link`: the last bird whose links start at or before it.
    int link_owner(int link) const
    {
        const auto after = std::upper_bound(m_graph.first.begin(), m_graph.first.end(), link);
        return static_cast<int>(after - m_graph.first.begin()) - 1;
    }

    const ancestry_graph &m_graph;
    const std::function<bool(int, int)> &m_starts_before;
    std::vector<int> m_index;
    std::vector<int> m_low;
    std::vector<int> m_knot;
    std::vector<int> m_depth;
    std::vector<bool> m_on_stack;
    std::vector<int> m_came_from; // link by which the loop search reached a bird
    std::vector<int> m_stack;
    std::vector<frame> m_frames;
    int m_entered = 0;
    int m_knots = 0;
    ancestry_walk m_walk;
};

} // namespace

ancestry_walk walk_ancestry(
    const ancestry_graph &graph, const std::function<bool(int, int)> &starts_before)
{
    return knot_search(graph, starts_before).run();
}
