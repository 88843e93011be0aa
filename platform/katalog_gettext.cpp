#include "platform/katalog.hpp"

#include <boost/locale/gnu_gettext.hpp>

#include <exception>
#include <locale>

namespace qz {

namespace {

namespace gettext = boost::locale::gnu_gettext;
using Format = boost::locale::message_format<char>;

class GettextKatalog : public Katalog {
public:
    explicit GettextKatalog(Format* format) : katalog_(std::locale::classic(), format), format_(format) {}
    const char* uebersetzung(const char* kontext, const char* id) const override { return format_->get(0, kontext, id); }

private:
    std::locale katalog_;  // owns the facet
    const Format* format_;
};

}  // namespace

std::unique_ptr<Katalog> Katalog::laden(const std::filesystem::path& ordner, const std::string& code, const char* domain)
{
    gettext::messages_info info;
    const std::size_t strich = code.find('_');
    info.language = code.substr(0, strich);
    if (strich != std::string::npos) info.country = code.substr(strich + 1);
    info.encoding = "UTF-8";
    info.paths.push_back(ordner.string());
    info.domains.emplace_back(domain);
    try {
        if (Format* format = gettext::create_messages_facet<char>(info)) return std::make_unique<GettextKatalog>(format);
    } catch (const std::exception&) {
    }
    return nullptr;
}

}  // namespace qz
