#pragma once

#include "clsRules.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Counts the leaf positions below the current position, for the side to move, from the rules'
// own legal-move list. A promotion counts once for each piece it may become.
std::uint64_t Perft(clsRules &oRules, int nDepth);

// The count below each first move, named like "e2e4" or "e7e8q", in the order they are found.
std::vector<std::pair<std::string, std::uint64_t>> PerftDivide(clsRules &oRules, int nDepth);
