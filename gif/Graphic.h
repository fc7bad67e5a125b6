#pragma once

#include <functional>
#include <string>

namespace ostra {

class TStream;

// Base of every object of a picture that can report to it (items, lists,
// colour maps) and of pictures themselves: the sender of warnings and
// progress notifications.
class TPersistent {
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent();
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
};

enum class TProgressStage { Starting = 0, Running = 1, Ending = 2 };

// (sender, stage, percent 0 to 100, redraw now, rectangle, text)
using TProgressEvent = std::function<void(TPersistent& sender, TProgressStage stage, int percent,
                                          bool redrawNow, const TRect& rect, const std::string& message)>;

// (sender, severity, text): a problem that did not stop reading.
using TGIFWarning = std::function<void(TPersistent& sender, int severity, const std::string& message)>;

// A picture that can be read from a stream; what the picture-format
// registry creates by class name.
class TGraphic : public TPersistent {
public:
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;

    // Calls ProgressHandler when one is installed.
    void Progress(TPersistent& sender, TProgressStage stage, int percent, bool redrawNow, const TRect& rect,
                  const std::string& message);

    TProgressEvent ProgressHandler;
};

} // namespace ostra
