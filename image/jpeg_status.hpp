// Status codes of the JPEG decoder. The game only tests whether an image came back; the
// codes tell tests and tools why not.
#pragma once

namespace qz {

enum JpegStatus : int {
    kJpegOk = 0,
    kJpegNoScreen = 101,            // no graphics screen is open
    kJpegPalettedScreen = 102,      // the screen has fewer than 15 bits per pixel
    kJpegEmptyFileName = 103,
    kJpegCannotOpen = 104,          // exists but cannot be read (a folder, no permission, too big)
    kJpegFileMissing = 105,         // does not exist or is empty
    kJpegNoStartOfImage = 106,      // does not begin with FF D8
    kJpegNoFrame = 107,             // end of image or of the data before the first scan
    kJpegProgressive = 108,
    kJpegDifferential = 109,
    kJpegArithmetic = 110,
    kJpegQuantPrecision = 111,      // quantisation table not of 8-bit precision
    kJpegTooManyHuffman = 112,      // more than two Huffman tables per class, or a bad class/index
    kJpegSecondStart = 113,         // a second start-of-image marker
    kJpegUnsupportedFrame = 114,    // precision other than 8, size 0, sampling other than 1 and 2
    kJpegBadComponent = 115,        // component identifier not 1..3, scan of neither 1 nor 3
    kJpegTablesMissing = 116,       // not all tables read before the first scan
    kJpegTooManyQuant = 117,        // more than two quantisation tables or an index above 1
    kJpegNotJfif = 118,             // APP0 without the JFIF identifier
    kJpegUnknownMarker = 119,
    kJpegNoTarget = 120,            // the target image could not be created
    kJpegDamagedSegment = 121,      // segment lengths that contradict their contents
    kJpegOutsidePicture = 122,      // the requested rectangle lies outside the picture
};

}  // namespace qz
