// Seams into the TCP layer for the tests: the host cache (to count or fail name lookups), a
// hook every event thread runs before it touches its connection (to hold a connection in
// state 1), and the TSNEID counter (to reach the wrap-around).
#pragma once

#include "net/host_cache.hpp"
#include "net/tsne.hpp"

#include <functional>

namespace qz {

HostCache& tsneHostCache();
void tsneSetEventThreadStartHook(std::function<void()> hook);
void tsneSetLastId(TsneId last);

}  // namespace qz
