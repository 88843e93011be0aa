#include "platform/sound.hpp"

#include <filesystem>

namespace qz {

int SilentSound::loadSample(const std::string& file)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) ? ++next_ : 0;
}

}  // namespace qz
