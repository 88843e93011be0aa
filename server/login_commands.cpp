#include "bad_request.hpp"
#include "commands.hpp"
#include "log.hpp"
#include "text_checks.hpp"

namespace qz::server {

std::string onlineCheck() { return "onlinecheck;;online"; }

std::string login(CommandContext& context, const FormFields& form) {
    const std::string name(form.value("i1"));
    requireName(name, "Benutzername");
    const std::string_view digest = form.value("i2");
    if (!isPasswordDigest(digest)) throw BadRequest("Passwort-Pruefsumme ungueltig");
    const bool accepted = context.accounts.login(name, digest, context.config.registrationOpen);
    if (accepted) context.logins.bind(name, context.client, context.now);
    logLine(LogLevel::info, std::string("login ") + (accepted ? "ok" : "refused") + " name=" + name +
                                " from=" + context.client);
    return accepted ? "loginok" : "loginerror";
}

}  // namespace qz::server
