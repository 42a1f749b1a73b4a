#pragma once

#include <cstddef>
#include <cstdint>

// G.711 A-law for 16-bit linear speech samples. Every function is stateless,
// allocates nothing and may run on any thread at the same time.

// Fast paths, driven by tables built from the rules below.
uint8_t LinearToAlaw(int16_t sample);
int16_t AlawToLinear(uint8_t code);

// The bit-by-bit rules themselves; the tables are built from them.
uint8_t LinearToAlawByRule(int16_t sample);
int16_t AlawToLinearByRule(uint8_t code);

// Codes the pcmBytes / 2 little-endian samples of pcm into pcmBytes / 2 codes;
// returns pcmBytes / 2. The destination must hold the whole output.
size_t EncodeAlawBlock(uint8_t* codes, const uint8_t* pcm, size_t pcmBytes);

// Decodes codeCount codes into codeCount little-endian samples; returns
// 2 * codeCount. The destination must hold the whole output.
size_t DecodeAlawBlock(uint8_t* pcm, const uint8_t* codes, size_t codeCount);
