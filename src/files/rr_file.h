// The ".rr" recording file: a two-byte header, then the sample words of DataBuf
// little-endian, as many as CurrentFileLen. The comment is not part of it.
#pragma once

#include "atomic_file.h"
#include "recording.h"

#include <string>

namespace trivant {

constexpr size_t kRrHeaderBytes = 2;
constexpr size_t kRrMaxWordBytes = 2 * kCapacity;  // bytes past this are not read

// Header 0, 0 and DataBuf[1..CurrentFileLen] (CurrentFileLen held to 0..capacity()).
std::string EncodeRr(const Recording& rec);
// Skips the header whatever it holds and fills DataBuf from position 1 with the whole words
// that follow, at most maxWords; CurrentFileLen := their number; no exact intervals.
// Nothing else changes.
void DecodeRr(const std::string& bytes, Recording& rec, int maxWords = kCapacity);

// Refuses, writing nothing, a recording of more beats than the format holds.
IoStatus SaveDataFile(const std::string& path, const Recording& rec);
// On failure rec is left as it was. The caller runs PrepareData afterwards. A journal of a
// strap's recording may hold more than kCapacity words.
IoStatus ReadDataFile(const std::string& path, Recording& rec, int maxWords = kCapacity);

}  // namespace trivant
