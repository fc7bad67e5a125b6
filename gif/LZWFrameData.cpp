// A frame's image data into its PixelData: the pixel buffer walked in the
// order the data stores the pixels, decoded in bulk, and whatever the data
// does not reach set to the fill value.
#include "gif/LZWFrameData.h"

#include "gif/GIFException.h"
#include "gif/GIFSubImage.h"
#include "gif/LZWDecoder.h"
#include "gif/Stream.h"
#include "gif/SubBlockReader.h"

#include <cstring>
#include <iterator>

namespace ostra {

namespace {

// Rows of an interlaced frame: every 8th row from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
struct TInterlacePass {
    int Start;
    int Step;
};
constexpr TInterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
constexpr int kPassCount = static_cast<int>(std::size(kInterlacePasses));

std::uint8_t fillValue(const TGIFSubImage& frame)
{
    if (frame.Transparent && frame.GraphicControl != nullptr)
        return frame.GraphicControl->TransparentColorIndex;
    return 0;
}

// The pixel buffer as runs in stored order: the whole buffer for a plain
// frame, one row at a time in pass order for an interlaced one. Tracks how
// much of the current run holds decoded values, so that the rest of the
// buffer can be filled on any way out.
class TPixelRuns {
public:
    explicit TPixelRuns(TGIFSubImage& frame)
        : pixels_(frame.PixelData.data()), width_(frame.Width), height_(frame.Height),
          interlaced_(frame.Interlaced())
    {
    }

    // Moves to the next run; false after the last one.
    bool Next()
    {
        Stored = 0;
        const bool more = interlaced_ ? advanceRow() : advancePlain();
        if (!more) {
            Run = nullptr;
            Length = 0;
        }
        return more;
    }

    // Sets every pixel that holds no decoded value: the rest of the current
    // run and all the runs after it. A frame without pixels has no buffer
    // at all (Run is null), and memset may not be given a null pointer even
    // for no bytes.
    void FillRest(std::uint8_t value)
    {
        if (Stored < Length)
            std::memset(Run + Stored, value, Length - Stored);
        while (Next())
            if (Length != 0)
                std::memset(Run, value, Length);
    }

    std::uint8_t* Run = nullptr;
    std::size_t Length = 0;
    std::size_t Stored = 0;

private:
    bool advancePlain()
    {
        if (pass_ >= 0)
            return false;
        pass_ = 0;
        Run = pixels_;
        Length = width_ * static_cast<std::size_t>(height_);
        return true;
    }

    bool advanceRow()
    {
        if (pass_ == kPassCount)
            return false;
        if (pass_ < 0) {
            pass_ = 0;
            row_ = kInterlacePasses[0].Start;
        } else {
            row_ += kInterlacePasses[pass_].Step;
        }
        while (row_ >= height_) {
            if (++pass_ == kPassCount)
                return false;
            row_ = kInterlacePasses[pass_].Start;
        }
        Run = pixels_ + static_cast<std::size_t>(row_) * width_;
        Length = width_;
        return true;
    }

    std::uint8_t* const pixels_;
    const std::size_t width_;
    const int height_;
    const bool interlaced_;
    int pass_ = -1;
    int row_ = 0;
};

// Decodes run after run until the pixels are done or the data stops. One
// value more is requested in every case: in a well-formed frame it is the
// end code, whose handling moves the stream past the terminator. After an
// error the rest of the buffer is filled as well before the error leaves.
void decodeRuns(TLZWDecoder& decoder, TPixelRuns& runs, std::uint8_t fill)
{
    try {
        while (runs.Next()) {
            if (decoder.DecodePixels(runs.Run, runs.Length, runs.Stored) != 0)
                break;
        }
    } catch (const EInvalidGraphic&) {
        runs.FillRest(fill);
        try {
            decoder.NextPixelValue();
        } catch (const EInvalidGraphic&) {
            // The first error is the one to report.
        }
        throw;
    }
    runs.FillRest(fill);
    decoder.NextPixelValue();
    decoder.SkipToTerminator();
}

} // namespace

void DecodeFrameData(TGIFSubImage& frame, TStream& stream)
{
    // Allocated without clearing: every byte is written below.
    frame.PixelData.clear();
    frame.PixelData.resize(static_cast<std::size_t>(frame.Width) * frame.Height);
    const std::uint8_t fill = fillValue(frame);
    TPixelRuns runs(frame);
    std::uint8_t minimumCodeSize = 0;
    if (!ReadByte(stream, minimumCodeSize)) {
        runs.FillRest(fill);
        return;
    }
    if (minimumCodeSize > TLZWDecoder::kMaxMinimumCodeSize)
        runs.FillRest(fill); // the decoder refuses it
    TSubBlockReader subBlocks(stream);
    TLZWDecoder decoder(subBlocks, minimumCodeSize,
                        [&frame](int level, const char* text) { frame.ReportWarning(level, text); });
    decodeRuns(decoder, runs, fill);
}

} // namespace ostra
