// giflib's test pictures with the screens its gif2rgb tool writes. That
// tool fills the screen with the background index, then stores every
// image's indices over it in order, ignoring transparency and disposal,
// and turns the screen into colours at the end. So the picture is
// composed here on a canvas filled with the background colour, with
// transparency off; the screen after the last frame is compared.
#include "Composition.h"
#include "ImageCompare.h"
#include "Suites.h"

#include <QFile>

#include <algorithm>
#include <filesystem>

namespace ostra::conformance {

namespace {

CaseResult runPicture(const std::filesystem::path& gif, const std::filesystem::path& rgb)
{
    const std::string name = "giflib/" + gif.stem().string();
    const Composition composed = Compose(gif.string(), {CanvasStart::BackgroundColor, /*Transparent=*/false});
    if (!composed.Error.empty())
        return CaseResult::Fail(name, "error \"" + composed.Error + "\"");
    if (composed.Canvases.empty() || composed.Canvases.size() != static_cast<std::size_t>(composed.LeadingImageFrames))
        return CaseResult::Fail(name, std::to_string(composed.Canvases.size()) + " of " +
                                          std::to_string(composed.LeadingImageFrames) + " frames drawn");
    QFile expected(QString::fromStdString(rgb.string()));
    if (!expected.open(QIODevice::ReadOnly))
        return CaseResult::Fail(name, "cannot read " + rgb.filename().string());
    if (const auto difference = CompareRgb(composed.Canvases.back(), expected.readAll()))
        return CaseResult::Fail(name, "last frame: " + *difference);
    return CaseResult::Pass(name);
}

} // namespace

std::vector<CaseResult> RunGiflibSuite(const std::string& folder)
{
    std::vector<std::filesystem::path> pictures;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".gif" && std::filesystem::exists(std::filesystem::path(entry.path()).replace_extension(".rgb")))
            pictures.push_back(entry.path());
    std::sort(pictures.begin(), pictures.end());
    std::vector<CaseResult> results;
    for (const auto& gif : pictures)
        results.push_back(runPicture(gif, std::filesystem::path(gif).replace_extension(".rgb")));
    return results;
}

} // namespace ostra::conformance
