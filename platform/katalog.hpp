// One language's compiled catalogue (<folder>/<code>/LC_MESSAGES/<domain>.mo), read through
// Boost.Locale's gettext backend: loaded by its path, without any locale of the system.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace qz {

class Katalog {
public:
    // The catalogue of `code` ("en", "pt_BR") under `ordner`; nothing when it is missing or
    // cannot be read (the language then stays German rather than ending the game).
    static std::unique_ptr<Katalog> laden(const std::filesystem::path& ordner, const std::string& code,
                                          const char* domain);
    virtual ~Katalog() = default;

    // The translation of a UTF-8 message id in an optional context; nullptr or "" when the
    // catalogue has none.
    virtual const char* uebersetzung(const char* kontext, const char* id) const = 0;
};

}  // namespace qz
