#include "app/desktop_folders.hpp"

#include "platform/folders.hpp"
#include "sandbox/speicherplaetze.hpp"

namespace qz {

void useDesktopFolders()
{
    setFolders(desktopFolders());
    alteSpielstaendeUebernehmen(executableFolder() / "spielstaende", folders().saves);
}

}  // namespace qz
