#include "base/bad_request.hpp"
#include "base/refusals.hpp"
#include "protocol/commands.hpp"
#include "base/log.hpp"
#include "base/text_checks.hpp"

namespace qz::server {

std::string onlineCheck() { return "onlinecheck;;online"; }

void checkLogin(CommandContext& context, const FormFields& form) {
    const std::string name(form.value("i1"));
    requireName(name, "Benutzername");
    if (!isPasswordDigest(form.value("i2"))) throw BadRequest(refusal("Passwort-Pruefsumme ungueltig"));
    // The rates and a ban are checked before the expensive hash, so a refused flood costs
    // nothing.
    Storage& storage = context.storage;
    if (storage.bannedUntil(name).value_or(0) > context.now) throw BadRequest(refusal("Gesperrt"));
    const AddressLimits& limits = context.config.perAddress;
    const double minuteAgo = context.now - 60;
    if (storage.countAddressEvents(context.client, AddressEvent::failedLogin, minuteAgo) >=
        limits.failedLoginsPerMinute) {
        throw BadRequest(refusal("Zu viele Fehlversuche, bitte spaeter erneut"));
    }
    if (storage.countAddressEvents(context.client, AddressEvent::login, minuteAgo) >= limits.loginsPerMinute ||
        storage.countAddressEvents(name, AddressEvent::nameLogin, minuteAgo) >= limits.loginsPerNamePerMinute) {
        throw BadRequest(refusal("Zu viele Anmeldungen, bitte spaeter erneut"));
    }
}

std::string login(CommandContext& context, const FormFields& form) {
    checkLogin(context, form);
    const std::string name(form.value("i1"));
    const std::string_view digest = form.value("i2");
    Storage& storage = context.storage;
    const AddressLimits& limits = context.config.perAddress;
    const bool mayRegister =
        context.config.registrationOpen &&
        storage.countAddressEvents(context.client, AddressEvent::registration, context.now - 3600) <
            limits.registrationsPerHour;
    const AccountBook::Login result = context.accounts.login(name, digest, mayRegister);
    if (result == AccountBook::Login::unknownName && context.config.registrationOpen) {
        throw BadRequest(refusal("Zu viele neue Konten von dieser Adresse"));
    }
    const bool accepted = result == AccountBook::Login::accepted || result == AccountBook::Login::registered;
    if (accepted) {
        context.logins.bind(name, context.client, context.now);
        storage.noteAddressEvent(context.client, AddressEvent::login, context.now);
        storage.noteAddressEvent(name, AddressEvent::nameLogin, context.now);
    }
    if (result == AccountBook::Login::registered) {
        storage.noteAddressEvent(context.client, AddressEvent::registration, context.now);
    }
    if (!accepted) storage.noteAddressEvent(context.client, AddressEvent::failedLogin, context.now);
    logLine(LogLevel::info, std::string("login ") + (accepted ? "ok" : "refused") + " name=" + name +
                                " from=" + context.client);
    return accepted ? "loginok" : "loginerror";
}

}  // namespace qz::server
