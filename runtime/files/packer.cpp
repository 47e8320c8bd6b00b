// files: the compressor. Method 1 calls liblzo2; method 0 is coded here.
// Neither direction reads outside its input nor trusts a length it reads.
#include "runtime/files/packer.h"

#include <algorithm>  // Required for: std::min, std::max
#include <memory>     // Required for: std::make_unique_for_overwrite
#include <lzo/lzo1x.h>  // Required for: lzo1x_1_compress, lzo1x_decompress_safe

namespace {

constexpr size_t kMaxLength = 0x7FFFFFFF;
constexpr int32_t kWindow = 2047;   // the farthest distance the encoder uses
constexpr int32_t kMaxCount = 17;   // the longest copy a token can carry

bool lzoReady() {
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

// LZO1X output never grows by more than 255 bytes per input byte.
size_t lzoMostUnpacked(size_t packed) { return packed * 256 + 1024; }

// LZO's documented worst case for incompressible input.
size_t lzoWorstPacked(size_t length) { return length + length / 16 + 64 + 3; }

}  // namespace

void Packer::reset() {
    output_ = std::vector<uint8_t>();
    clearRing();
}

void Packer::clearRing() {
    ring_.fill(0);
    ringPosition_ = 0;
}

void Packer::putByte(uint8_t byte) {
    if (output_.size() % 1024 == 0) output_.reserve(output_.size() + 1032);
    output_.push_back(byte);
    ring_[ringPosition_] = byte;
    ringPosition_ = (ringPosition_ + 1) & (kRingSize - 1);
}

std::vector<uint8_t> Packer::takeOutput() {
    std::vector<uint8_t> taken = std::move(output_);
    output_ = std::vector<uint8_t>();
    return taken;
}

uint32_t Packer::unpack(const uint8_t* data, size_t length) {
    // liblzo2 writes a method-1 block whole, so the output buffer of the last
    // unpack is kept: shrinking it writes nothing, and only bytes beyond its
    // old size are zeroed before liblzo2 overwrites them.
    if (method == 1) {
        clearRing();
    } else {
        reset();
    }
    damaged_ = false;
    uint32_t result = method == 1 ? unpackLzo(data, length) : unpackOwn(data, length);
    if (damaged_) {
        reset();
        return 0;
    }
    return result;
}

uint32_t Packer::pack(const uint8_t* data, size_t length) {
    reset();
    if (length > kMaxLength || (length > 0 && !data)) return 0;
    return method == 1 ? packLzo(data, length) : packOwn(data, length);
}

uint32_t Packer::unpackLzo(const uint8_t* data, size_t length) {
    if (!data || length < 4 || !lzoReady()) {
        damaged_ = true;
        return 0;
    }
    uint32_t stored = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                      uint32_t{data[3]} << 24;
    if (stored > kMaxLength || stored > lzoMostUnpacked(length - 4)) {
        damaged_ = true;
        return 0;
    }
    output_.resize(stored);
    uint8_t spare = 0;
    lzo_uint produced = stored;
    int status = lzo1x_decompress_safe(data + 4, static_cast<lzo_uint>(length - 4),
                                       stored ? output_.data() : &spare, &produced, nullptr);
    // A stream that yields other than its stated length is damaged too.
    if (status != LZO_E_OK || produced != stored) {
        damaged_ = true;
        return 0;
    }
    return stored;
}

uint32_t Packer::packLzo(const uint8_t* data, size_t length) {
    if (!lzoReady()) return 0;
    output_.resize(4 + lzoWorstPacked(length));
    for (int i = 0; i < 4; ++i) output_[static_cast<size_t>(i)] = static_cast<uint8_t>(length >> (8 * i));
    // liblzo2 prepares its own work area, so it is not zeroed here as well.
    const auto work = std::make_unique_for_overwrite<lzo_align_t[]>(LZO1X_1_MEM_COMPRESS / sizeof(lzo_align_t) + 1);
    static const uint8_t kNothing = 0;
    lzo_uint packed = 0;
    if (lzo1x_1_compress(length ? data : &kNothing, static_cast<lzo_uint>(length), output_.data() + 4,
                         &packed, work.get()) != LZO_E_OK) {
        reset();
        return 0;
    }
    output_.resize(4 + packed);
    return static_cast<uint32_t>(output_.size());
}

uint32_t Packer::unpackOwn(const uint8_t* data, size_t length) {
    size_t at = 0;
    while (data && at < length) {
        uint8_t flags = data[at++];
        for (int item = 0; item < 8; ++item) {
            if (at >= length) {
                damaged_ = true;
                return 0;
            }
            if ((flags & (0x80 >> item)) == 0) {
                putByte(data[at++]);
                continue;
            }
            uint8_t b0 = data[at++];
            if (b0 == 0) return static_cast<uint32_t>(output_.size());
            if (at >= length) {
                damaged_ = true;
                return 0;
            }
            uint8_t b1 = data[at++];
            int count = (b0 & 0x0F) + 2;
            int distance = ((b0 & 0xF0) << 3) + b1;
            for (int i = 0; i < count; ++i) putByte(ring_[(ringPosition_ - distance) & (kRingSize - 1)]);
        }
    }
    // The input ended before the end token.
    damaged_ = true;
    return 0;
}

int32_t& Packer::slot(uint8_t a, uint8_t b, int index) {
    return (*dictionary_)[static_cast<size_t>(((a & 63) * 64 + (b & 63)) * kBucketSlots + index)];
}

void Packer::addToDictionary(uint8_t a, uint8_t b, int32_t position) {
    if (!dictionary_) {
        dictionary_ = std::make_unique<Dictionary>();
        dictionary_->fill(-1);
    }
    for (int i = kBucketSlots - 1; i > 0; --i) slot(a, b, i) = slot(a, b, i - 1);
    slot(a, b, 0) = position;
}

// Tokens carry distances 1..2047 as (high nibble = d >> 7, b1 = d & 0x7F) and
// counts 3..17, the forms the decoder reads back; the stream always ends in a token 0.
uint32_t Packer::packOwn(const uint8_t* in, size_t length) {
    if (!dictionary_) dictionary_ = std::make_unique<Dictionary>();
    dictionary_->fill(-1);
    const auto n = static_cast<int32_t>(length);
    auto next = [&](int32_t pos) -> uint8_t { return pos + 1 < n ? in[pos + 1] : 0; };

    uint8_t flags = 0;
    uint8_t items[16];
    int itemBytes = 0;
    int itemCount = 0;
    auto endItem = [&]() {
        if (++itemCount < 8) return;
        putByte(flags);
        for (int i = 0; i < itemBytes; ++i) putByte(items[i]);
        flags = 0;
        itemBytes = 0;
        itemCount = 0;
    };

    int32_t pos = 0;
    while (pos < n) {
        const int32_t windowStart = std::max(pos - kWindow, 0);
        const int32_t longest = std::min(kMaxCount, n - pos);
        int32_t best = 0;
        int32_t bestAt = 0;
        auto tryCandidate = [&](int32_t c) {
            int32_t count = 0;
            while (count < longest && in[c + count] == in[pos + count]) ++count;
            if (count > best) {
                best = count;
                bestAt = c;
            }
        };
        if (longest >= 3) {
            bool windowLeft = false;
            int tried = 0;
            for (; tried < kBucketSlots && best < longest; ++tried) {
                int32_t c = slot(in[pos], next(pos), tried);
                if (c < windowStart) {
                    windowLeft = true;
                    break;
                }
                tryCandidate(c);
            }
            if (!windowLeft && tried == kBucketSlots) {
                for (int32_t c = slot(in[pos], next(pos), kBucketSlots - 1); c >= windowStart && best < longest; --c) {
                    tryCandidate(c);
                }
            }
        }
        if (best < 3) {
            addToDictionary(in[pos], next(pos), pos);
            items[itemBytes++] = in[pos];
            ++pos;
        } else {
            const int32_t distance = pos - bestAt;
            flags |= static_cast<uint8_t>(0x80 >> itemCount);
            items[itemBytes++] = static_cast<uint8_t>(((distance >> 7) << 4) | (best - 2));
            items[itemBytes++] = static_cast<uint8_t>(distance & 0x7F);
            for (int32_t k = 0; k < best; ++k) addToDictionary(in[pos + k], next(pos + k), pos + k);
            pos += best;
        }
        endItem();
    }
    flags |= static_cast<uint8_t>(0x80 >> itemCount);
    items[itemBytes++] = 0;
    putByte(flags);
    for (int i = 0; i < itemBytes; ++i) putByte(items[i]);
    return static_cast<uint32_t>(output_.size());
}
