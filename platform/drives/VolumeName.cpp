#include "platform/drives/VolumeName.h"

#include <cctype>
#include <charconv>

namespace ostra {

namespace {

bool isHexEscape(std::string_view text)
{
    return text.size() >= 4 && text.starts_with("\\x") && std::isxdigit(static_cast<unsigned char>(text[2])) &&
           std::isxdigit(static_cast<unsigned char>(text[3]));
}

} // namespace

std::string DecodeLabelLinkName(std::string_view linkName)
{
    std::string name;
    for (std::size_t i = 0; i < linkName.size(); ++i) {
        if (isHexEscape(linkName.substr(i))) {
            unsigned value = 0;
            std::from_chars(linkName.data() + i + 2, linkName.data() + i + 4, value, 16);
            name.push_back(static_cast<char>(value));
            i += 3;
        } else {
            name.push_back(linkName[i]);
        }
    }
    return name;
}

std::string VolumeNameFor(const std::filesystem::path& labelFolder, std::string_view deviceName,
                          const std::filesystem::path& mountPath)
{
    std::error_code error;
    std::filesystem::directory_iterator link(labelFolder, error);
    for (; !error && link != std::filesystem::directory_iterator(); link.increment(error)) {
        std::error_code linkError;
        const std::filesystem::path target = std::filesystem::read_symlink(link->path(), linkError);
        if (!linkError && target.filename() == deviceName) {
            return DecodeLabelLinkName(link->path().filename().string());
        }
    }
    const std::filesystem::path lastComponent = mountPath.filename();
    return lastComponent.empty() ? mountPath.string() : lastComponent.string();
}

} // namespace ostra
