// The pygif suite. Each case's `<name>.conf` names the input, the expected
// screen size, loop count and frames; each frame's expected picture is the
// canvas after that frame as raw RGBA, the canvas starting transparent,
// with the delay stored for that frame.
// An empty frame list means the suite expects an error or no frame.
//
// The suite merges images without a delay into the frame that follows
// (unless the case says force-animation); our reader keeps every image a
// frame of its own. When only that differs, the report says so and
// compares the canvases where the suite's frames end.
#include "Composition.h"
#include "ImageCompare.h"
#include "IniFile.h"
#include "Suites.h"

#include <QFile>

#include <fstream>
#include <sstream>

namespace ostra::conformance {

namespace {

std::vector<std::string> splitList(const std::string& text)
{
    std::vector<std::string> items;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');) {
        item.erase(0, item.find_first_not_of(' '));
        item.erase(item.find_last_not_of(' ') + 1);
        if (!item.empty())
            items.push_back(item);
    }
    return items;
}

QByteArray readBytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Our frames at which the suite's frames end: every one when the case
// forces animation, else those with a delay and the last.
std::vector<std::size_t> suiteFrameEnds(const Composition& composed, bool forceAnimation)
{
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < composed.Canvases.size(); ++i)
        if (forceAnimation || i + 1 == composed.Canvases.size() || composed.Delays.at(i) > 0)
            ends.push_back(i);
    return ends;
}

class PygifCase {
public:
    PygifCase(std::string folder, std::string name, IniFile conf)
        : folder_(std::move(folder)), name_(std::move(name)), conf_(std::move(conf))
    {
    }

    CaseResult Run() const;

private:
    std::string value(const std::string& section, const std::string& key) const
    {
        return conf_.Value(section, key).value_or("");
    }
    std::string path(const std::string& file) const { return folder_ + "/" + file; }
    std::string checkHeader(const Composition& composed) const;
    std::string checkFrames(const Composition& composed, const std::vector<std::string>& frames) const;
    std::string compareFrames(const Composition& composed, const std::vector<std::string>& frames,
                              const std::vector<std::size_t>& ours) const;

    std::string folder_;
    std::string name_;
    IniFile conf_;
};

CaseResult PygifCase::Run() const
{
    const Composition composed = Compose(path(value("config", "input")), {});
    const std::vector<std::string> frames = splitList(value("config", "frames"));
    std::string failure;
    if (frames.empty()) {
        if (composed.Error.empty() && composed.FrameCount > 0)
            failure = "read " + std::to_string(composed.FrameCount) +
                      " frame(s) without error, the suite expects an error or no frame";
    } else if (!composed.Error.empty()) {
        failure = "error \"" + composed.Error + "\" after " + std::to_string(composed.FrameCount) + " frame(s)";
    } else {
        failure = checkHeader(composed);
        if (failure.empty())
            failure = checkFrames(composed, frames);
    }
    if (failure.empty())
        return CaseResult::Pass("pygif/" + name_);
    if (!composed.Warnings.empty())
        failure += " [warning: " + composed.Warnings.front() + "]";
    return CaseResult::Fail("pygif/" + name_, failure);
}

std::string PygifCase::checkHeader(const Composition& composed) const
{
    const std::string size = std::to_string(composed.ScreenWidth) + "x" + std::to_string(composed.ScreenHeight);
    const std::string expected = value("config", "width") + "x" + value("config", "height");
    if (size != expected)
        return "screen " + size + ", expected " + expected;
    if (composed.LoopCount != value("config", "loop-count"))
        return "loop count " + composed.LoopCount + ", expected " + value("config", "loop-count");
    return {};
}

std::string PygifCase::checkFrames(const Composition& composed, const std::vector<std::string>& frames) const
{
    if (composed.Canvases.size() == frames.size()) {
        std::vector<std::size_t> all(frames.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = i;
        return compareFrames(composed, frames, all);
    }
    const std::string counts = std::to_string(composed.Canvases.size()) + " frame(s) drawn (" +
                               std::to_string(composed.FrameCount) + " read), expected " +
                               std::to_string(frames.size());
    const std::vector<std::size_t> ends = suiteFrameEnds(composed, value("config", "force-animation") == "yes");
    if (ends.size() != frames.size())
        return counts;
    const std::string merged = compareFrames(composed, frames, ends);
    return counts + " (the suite merges images without a delay); at the ends of its frames " +
           (merged.empty() ? "the canvases match" : merged);
}

std::string PygifCase::compareFrames(const Composition& composed, const std::vector<std::string>& frames,
                                     const std::vector<std::size_t>& ours) const
{
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::string file = value(frames[i], "pixels");
        if (file.empty())
            return frames[i] + " has no raw pixels";
        const QByteArray expected = readBytes(path(file));
        if (expected.isEmpty())
            return "cannot read " + file;
        if (const auto difference = CompareRgba(composed.Canvases[ours[i]], expected))
            return frames[i] + " (" + file + "): " + *difference;
        const std::string delay = value(frames[i], "delay");
        if (!delay.empty() && delay != std::to_string(composed.Delays.at(ours[i])))
            return frames[i] + ": delay " + std::to_string(composed.Delays.at(ours[i])) + ", expected " + delay;
    }
    return {};
}

} // namespace

std::vector<CaseResult> RunPygifSuite(const std::string& folder)
{
    std::vector<CaseResult> results;
    std::ifstream list(folder + "/TESTS");
    for (std::string name; std::getline(list, name);) {
        if (name.empty())
            continue;
        const std::optional<IniFile> conf = IniFile::Read(folder + "/" + name + ".conf");
        if (!conf)
            results.push_back(CaseResult::Fail("pygif/" + name, "cannot read " + name + ".conf"));
        else
            results.push_back(PygifCase(folder, name, *conf).Run());
    }
    return results;
}

} // namespace ostra::conformance
