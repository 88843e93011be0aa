#include "platform/sprachwahl.hpp"

namespace qz {

// A Linux desktop session names its language in LANG (and its kin), read before this.
std::string systemsprache() { return ""; }

}  // namespace qz
