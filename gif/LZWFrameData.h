#pragma once

namespace ostra {

class TGIFSubImage;
class TStream;

// Decodes the LZW image data of a frame into its PixelData. The stream
// stands at the LZW minimum code size byte and is left just after the
// block terminator of the frame's data. Pixels the data does not reach
// take the fill value (the transparent index of a transparent frame, else
// 0). Raises GIFException; warnings go through the frame's ReportWarning.
void DecodeFrameData(TGIFSubImage& frame, TStream& stream);

} // namespace ostra
