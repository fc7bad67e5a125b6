#include "config/CardFiles.h"

#include "config/CardFileLine.h"

namespace ostra {

std::string ListedCardFileLine(const CardFile& file)
{
    const std::string error = FailureMessage(file);
    if (!error.empty())
        return CardFileLine(file.Name, CardFileFailure(error));
    return CardFileLine(file.Name, CardFileDescription(CardFileRecord(file), CardLineScreen::Terminal));
}

} // namespace ostra
