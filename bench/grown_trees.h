// Pixel statements of a chosen size, for measuring how cost grows with the
// tree: grown at random from a fixed seed, so every run measures the same.
#pragma once

#include <cstdint>
#include <string>

namespace zorva::bench {

// A pixel statement of about `nodes` nodes of the parsed tree (operators,
// calls with their argument links, variables and constants), using every
// kind of operator but the power and every built-in but rand and pal.
std::string GrownStatement(int nodes, uint32_t seed);

// The number of nodes of a statement's parsed tree, counted like
// GrownStatement counts them; 0 when it does not parse.
int CountNodes(const std::string& statement);

}  // namespace zorva::bench
