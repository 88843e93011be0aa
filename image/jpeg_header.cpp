// The marker loop. Every segment is read within the length it declares, so a damaged or
// hostile length can neither run past the data nor make a segment swallow its neighbours.
#include "image/jpeg_header.hpp"

#include "image/jpeg_status.hpp"

namespace qz::jpeg {

namespace {

// The payload of one marker segment.
class Segment {
public:
    explicit Segment(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t remaining() const { return bytes_.size() - position_; }
    bool has(std::size_t n) const { return remaining() >= n; }
    int u8() { return bytes_[position_++]; }
    int u16()
    {
        const int high = u8();
        return high << 8 | u8();
    }
    std::span<const std::uint8_t> take(std::size_t n)
    {
        const auto part = bytes_.subspan(position_, n);
        position_ += n;
        return part;
    }
    std::string text() const { return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()}; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

int readFrame(Segment seg, JpegHeader& header)
{
    if (!seg.has(6)) return kJpegDamagedSegment;
    const int precision = seg.u8();
    header.height = seg.u16();
    header.width = seg.u16();
    const int count = seg.u8();
    if (!seg.has(static_cast<std::size_t>(count) * 3)) return kJpegDamagedSegment;
    header.components = {};
    for (int i = 0; i < count; ++i) {
        const int id = seg.u8();
        const int sampling = seg.u8();
        const int table = seg.u8();
        if (id < 1 || id > 3) return kJpegBadComponent;
        header.components[id] = {true, sampling >> 4, sampling & 15, table};
    }
    if (precision != 8 || header.width == 0 || header.height == 0 || count == 0) return kJpegUnsupportedFrame;
    header.frameSeen = true;
    return kJpegOk;
}

int readHuffmanTables(Segment seg, JpegHeader& header)
{
    if (header.dcTablesRead > 1 && header.acTablesRead > 1) return kJpegTooManyHuffman;
    while (seg.remaining() > 0) {
        const int classAndIndex = seg.u8();
        const int tableClass = classAndIndex >> 4;
        const int index = classAndIndex & 15;
        if (tableClass > 1 || index > 1) return kJpegTooManyHuffman;
        if (!seg.has(16)) return kJpegDamagedSegment;
        const auto counts = seg.take(16);
        std::size_t total = 0;
        for (const std::uint8_t c : counts) total += c;
        if (total > 256 || !seg.has(total)) return kJpegDamagedSegment;
        const auto symbols = seg.take(total);
        HuffmanTable& table = tableClass == 0 ? header.dcTables[index] : header.acTables[index];
        if (!buildHuffmanTable(counts.first<16>(), symbols, table)) return kJpegDamagedSegment;
        ++(tableClass == 0 ? header.dcTablesRead : header.acTablesRead);
    }
    return kJpegOk;
}

int readQuantTables(Segment seg, JpegHeader& header)
{
    if (header.quantTablesRead > 1) return kJpegTooManyQuant;
    while (seg.remaining() > 0) {
        const int precisionAndIndex = seg.u8();
        if ((precisionAndIndex >> 4) != 0) return kJpegQuantPrecision;
        const int index = precisionAndIndex & 15;
        if (index > 1) return kJpegTooManyQuant;
        if (!seg.has(64)) return kJpegDamagedSegment;
        for (int k = 0; k < 64; ++k) header.quant[index][kNaturalOrder[k]] = static_cast<std::uint16_t>(seg.u8());
        header.quantDefined[index] = true;
        ++header.quantTablesRead;
    }
    return kJpegOk;
}

int readJfif(Segment seg, JpegHeader& header)
{
    static constexpr std::uint8_t kIdentifier[5] = {'J', 'F', 'I', 'F', 0};
    if (!seg.has(5)) return kJpegNotJfif;
    for (const std::uint8_t expected : kIdentifier)
        if (seg.u8() != expected) return kJpegNotJfif;
    if (!seg.has(9)) return kJpegDamagedSegment;
    JfifHeader& jfif = header.jfif;
    jfif.versionMajor = seg.u8();
    jfif.versionMinor = seg.u8();
    jfif.units = seg.u8();
    jfif.xDensity = seg.u16();
    jfif.yDensity = seg.u16();
    jfif.thumbnailWidth = seg.u8();
    jfif.thumbnailHeight = seg.u8();
    return kJpegOk;
}

bool tableUsable(bool defined, int index) { return index >= 0 && index <= 1 && defined; }

int readScan(Segment seg, JpegHeader& header)
{
    if (!seg.has(1)) return kJpegDamagedSegment;
    const int count = seg.u8();
    if (count != 1 && count != 3) return kJpegBadComponent;
    if (!seg.has(static_cast<std::size_t>(count) * 2 + 3)) return kJpegDamagedSegment;
    bool seen[4] = {};
    for (int i = 0; i < count; ++i) {
        const int id = seg.u8();
        const int tables = seg.u8();
        if (id < 1 || id > 3 || seen[id]) return kJpegBadComponent;
        seen[id] = true;
        header.scan[i] = {id, tables >> 4, tables & 15};
    }
    header.scanComponentCount = count;
    // The three spectral-selection and approximation bytes mean nothing to a baseline scan.

    if (!header.frameSeen) return kJpegTablesMissing;
    if (count == 3 && (header.quantTablesRead < 2 || header.dcTablesRead < 2 || header.acTablesRead < 2))
        return kJpegTablesMissing;
    for (int i = 0; i < count; ++i) {
        const ScanComponent& sc = header.scan[i];
        const FrameComponent& fc = header.components[sc.id];
        if (!fc.present) return kJpegBadComponent;
        if (!tableUsable(header.quantDefined[fc.quantTable & 1], fc.quantTable) ||
            !tableUsable(header.dcTables[sc.dcTable & 1].defined, sc.dcTable) ||
            !tableUsable(header.acTables[sc.acTable & 1].defined, sc.acTable))
            return kJpegTablesMissing;
    }
    if (count == 3) {
        const FrameComponent& luma = header.components[1];
        const bool lumaOk = luma.h >= 1 && luma.h <= 2 && luma.v >= 1 && luma.v <= 2;
        for (int id = 2; id <= 3; ++id)
            if (header.components[id].h != 1 || header.components[id].v != 1) return kJpegUnsupportedFrame;
        if (!lumaOk) return kJpegUnsupportedFrame;
    }
    return kJpegOk;
}

}  // namespace

int readJpegHeader(std::span<const std::uint8_t> data, JpegHeader& header)
{
    if (data.size() < 2 || data[0] != 0xFF || data[1] != 0xD8) return kJpegNoStartOfImage;
    std::size_t pos = 2;
    for (;;) {
        while (pos < data.size() && data[pos] != 0xFF) ++pos;
        while (pos < data.size() && data[pos] == 0xFF) ++pos;  // fill bytes before a marker
        if (pos >= data.size()) return kJpegNoFrame;
        const int marker = data[pos++];

        if (marker == 0xC2) return kJpegProgressive;
        if (marker >= 0xC5 && marker <= 0xC7) return kJpegDifferential;
        if (marker >= 0xC9 && marker <= 0xCF) return kJpegArithmetic;
        if (marker == 0xD8) return kJpegSecondStart;
        if (marker == 0xD9) return kJpegNoFrame;
        const bool application = marker >= 0xE0 && marker <= 0xEF;
        const bool known = marker == 0xC0 || marker == 0xC1 || marker == 0xC4 || marker == 0xDB ||
                           marker == 0xDD || marker == 0xDA || marker == 0xFE || application;
        if (!known) return kJpegUnknownMarker;

        if (data.size() - pos < 2) return kJpegNoFrame;
        const std::size_t length = static_cast<std::size_t>(data[pos]) << 8 | data[pos + 1];
        if (length < 2) return kJpegDamagedSegment;
        if (data.size() - pos < length) return kJpegNoFrame;
        const Segment seg(data.subspan(pos + 2, length - 2));
        pos += length;

        int status = kJpegOk;
        switch (marker) {
        case 0xC0:
        case 0xC1: status = readFrame(seg, header); break;
        case 0xC4: status = readHuffmanTables(seg, header); break;
        case 0xDB: status = readQuantTables(seg, header); break;
        case 0xDD: {
            Segment interval = seg;
            if (!interval.has(2)) return kJpegDamagedSegment;
            header.restartInterval = interval.u16();
            break;
        }
        case 0xE0: status = readJfif(seg, header); break;
        case 0xFE: header.comment = seg.text(); break;
        case 0xDA:
            status = readScan(seg, header);
            if (status == kJpegOk) header.entropyStart = pos;
            return status;
        default: header.applicationData = seg.text(); break;
        }
        if (status != kJpegOk) return status;
    }
}

}  // namespace qz::jpeg
