#pragma once

// The ancestry of a pedigree as a graph, for the pedigree check: an arc from every bird to each
// parent its rows name, and the loops and the depth found in one pass over it.

#include <functional>
#include <vector>

struct ancestry_graph
{
    struct parent_link
    {
        int parent; // bird number
        int row; // the row that names the parent, from 1
    };

    // The links of bird b are links[first[b]] to links[first[b + 1] - 1], in row order; first
    // holds one entry more than there are birds.
    std::vector<int> first;
    std::vector<parent_link> links;

    int bird_count() const { return static_cast<int>(first.size()) - 1; }
};

struct ancestry_loop
{
    std::vector<int> birds; // in chain order, each a parent of the one before it, last to first
    std::vector<int> rows; // ascending: the rows that make the links of the chain
    int knot_size; // birds caught in loops with one another; the chain is one loop among them
};

struct ancestry_walk
{
    // Each bird its own parent is a loop of one; every other knot of birds that are each other's
    // ancestors gives one loop: the shortest through the knot's first bird (by `starts_before`),
    // starting there, whatever bird the search came in from.
    std::vector<ancestry_loop> loops;
    // Generations in the longest line of descent, a bird with no parent being 1; birds of one
    // knot count as one generation.
    int deepest_generation = 0;
};

// Walks the whole graph without recursion, so chains of any depth are fine. `starts_before` orders
// birds to choose where a loop starts.
ancestry_walk walk_ancestry(
    const ancestry_graph &graph, const std::function<bool(int, int)> &starts_before);
