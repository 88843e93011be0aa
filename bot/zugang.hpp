// The bot's login password: QZ_BOT_PASSWORD when set; otherwise the one kept for its name in
// its configuration file, made from random bytes the first time, so the same name logs in
// again later. The file is $XDG_CONFIG_HOME/qz/qz-bot.conf (~/.config when the variable is
// unset), one "name password" per line, readable by its owner only.
#pragma once

#include <optional>
#include <string>

namespace qz {

std::string botKonfigurationsdatei();

// The password for `name`, or nothing with the reason in `fehler` (the file could not be
// read or written).
std::optional<std::string> botPasswort(const std::string& name, std::string& fehler);

}  // namespace qz
