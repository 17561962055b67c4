#include "TSha256.h"

#include <QCryptographicHash>
#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>

namespace {

alignas(16) const quint32 K[64] = { 0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4,
    0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152,
    0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138,
    0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b, 0xc24b8b70,
    0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5,
    0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3, 0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa,
    0xa4506ceb, 0xbef9a3f7, 0xc67178f2 };

// The SHA-256 compression of 64-byte blocks with the processor's SHA instructions.
__attribute__((target("sha,sse4.1,ssse3"))) void Blocks(quint32 state[8], const uchar* data, qsizetype blocks)
{
    const __m128i swap = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
    __m128i tmp = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[0])), 0xB1);
    __m128i state1 = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[4])), 0x1B);
    __m128i state0 = _mm_alignr_epi8(tmp, state1, 8); // ABEF
    state1 = _mm_blend_epi16(state1, tmp, 0xF0); // CDGH
    for (; blocks > 0; --blocks, data += 64) {
        const __m128i abef = state0, cdgh = state1;
        __m128i w[16];
        for (int i = 0; i < 16; ++i) {
            if (i < 4)
                w[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * i)), swap);
            else
                w[i] = _mm_sha256msg2_epu32(
                    _mm_add_epi32(_mm_sha256msg1_epu32(w[i - 4], w[i - 3]), _mm_alignr_epi8(w[i - 1], w[i - 2], 4)),
                    w[i - 1]);
            __m128i message = _mm_add_epi32(w[i], _mm_load_si128(reinterpret_cast<const __m128i*>(&K[4 * i])));
            state1 = _mm_sha256rnds2_epu32(state1, state0, message);
            message = _mm_shuffle_epi32(message, 0x0E);
            state0 = _mm_sha256rnds2_epu32(state0, state1, message);
        }
        state0 = _mm_add_epi32(state0, abef);
        state1 = _mm_add_epi32(state1, cdgh);
    }
    tmp = _mm_shuffle_epi32(state0, 0x1B); // FEBA
    state1 = _mm_shuffle_epi32(state1, 0xB1); // DCHG
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[0]), _mm_blend_epi16(tmp, state1, 0xF0)); // DCBA
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[4]), _mm_alignr_epi8(state1, tmp, 8)); // HGFE
}

bool HasShaInstructions()
{
    static const bool has = __builtin_cpu_supports("sha") && __builtin_cpu_supports("sse4.1");
    return has;
}

} // namespace
#endif

QByteArray Sha256(const QByteArray& data)
{
#if defined(__x86_64__)
    if (HasShaInstructions()) {
        quint32 state[8]
            = { 0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19 };
        const qsizetype whole = data.size() / 64;
        Blocks(state, reinterpret_cast<const uchar*>(data.constData()), whole);
        // The rest, the 0x80 byte, zeros and the length in bits, big-endian, in one or two blocks.
        std::array<uchar, 128> tail {};
        const qsizetype rest = data.size() - whole * 64;
        std::memcpy(tail.data(), data.constData() + whole * 64, size_t(rest));
        tail[size_t(rest)] = 0x80;
        const qsizetype tailSize = rest < 56 ? 64 : 128;
        const quint64 bits = quint64(data.size()) * 8;
        for (int i = 0; i < 8; ++i)
            tail[size_t(tailSize - 1 - i)] = uchar(bits >> (8 * i));
        Blocks(state, tail.data(), tailSize / 64);
        QByteArray digest(32, Qt::Uninitialized);
        for (int i = 0; i < 32; ++i)
            digest[i] = char(state[i / 4] >> (24 - 8 * (i % 4)));
        return digest;
    }
#endif
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256);
}
