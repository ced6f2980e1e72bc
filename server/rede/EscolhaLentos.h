#pragma once

#include <QtGlobal>
#include <vector>

// Which peers to drop when the bytes held for all of them pass the limit: the slowest first
// (the most bytes waiting), until at most half the limit is left. Indexes into pendentes; none
// while the total is within the limit.
std::vector<size_t> EscolherLentos(const std::vector<qint64>& pendentes, qint64 limite);
