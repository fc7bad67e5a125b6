#pragma once

#include <cstddef>
#include <cstdint>

namespace ostra {

class TStream;

// Where the LZW decoder takes its bytes from: the data of a run of GIF data
// sub-blocks, one sub-block at a time. The decoder sees no count byte, only
// data and how the run ended, so it can be fed a plain code stream as well.
class TSubBlockSource {
public:
    static constexpr std::size_t kMaxSubBlockSize = 255;

    // How a request for the next sub-block ended.
    enum class TSubBlockEnd {
        Data,       // a whole sub-block of Size bytes
        Cut,        // a sub-block cut short by the end of the input; Size bytes of it
        Terminator, // the empty sub-block that ends the run (Size 0)
        End,        // the input ended where a sub-block should start (Size 0)
    };
    struct TSubBlock {
        TSubBlockEnd Kind;
        std::size_t Size;
    };

    virtual ~TSubBlockSource();

    // Stores the next sub-block's data into out, which has room for
    // kMaxSubBlockSize bytes. Once the terminator has been met, answers it
    // again without reading on.
    virtual TSubBlock NextSubBlock(std::uint8_t* out) = 0;
    // Moves past what is left of the run, its terminator included; does
    // nothing once the terminator has been met.
    virtual void SkipRest() = 0;
};

// The data sub-blocks of a GIF stream, read from where the stream stands:
//
//   [n] [n data bytes] [m] [m data bytes] ... [0]
//
// The stream is never read past the terminator.
class TSubBlockReader final : public TSubBlockSource {
public:
    explicit TSubBlockReader(TStream& stream) : stream_(stream) {}

    TSubBlock NextSubBlock(std::uint8_t* out) override;
    void SkipRest() override;

private:
    TStream& stream_;
    bool terminated_ = false;
};

} // namespace ostra
