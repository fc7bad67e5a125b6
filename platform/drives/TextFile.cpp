#include "platform/drives/TextFile.h"

#include <fstream>
#include <iterator>

namespace ostra {

std::optional<std::string> ReadTextFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return text;
}

std::string ReadFirstLine(const std::filesystem::path& file)
{
    const std::optional<std::string> text = ReadTextFile(file);
    if (!text) {
        return {};
    }
    return text->substr(0, text->find('\n'));
}

} // namespace ostra
