// The game's folders on a desktop, set up before anything else runs: the data is found
// wherever the game is started from, what it writes goes to the XDG folders, and saves of an
// older game kept beside the executable are taken over at the first start.
#pragma once

namespace qz {

void useDesktopFolders();

}  // namespace qz
