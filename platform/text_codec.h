#pragma once

// Conversions of 8-bit text (band numbers, cells, report lines) to and from Unicode.
//
//   std::string shown = bytesToUtf8("\xC4\xC4", CharacterMap::Document);   // "──"
//   std::string cell = utf8ToBytes("Müller");                             // "M\xFCller"
//
// Bytes are Windows-1252; its five unassigned bytes (0x81 0x8D 0x8F 0x90 0x9D) map to the
// control characters of the same number, so every byte survives a round trip. With
// CharacterMap::Document, 0xC4 0xB3 0xDA 0xC0 0xC3 0xC2 are the box lines ─ │ ┌ └ ├ ┬.

#include "canvas.h"

#include <string>
#include <string_view>

char32_t byteToUnicode(unsigned char byte, CharacterMap map = CharacterMap::Windows1252);
// The byte for a character, or -1 when the character set has none.
int unicodeToByte(char32_t character, CharacterMap map = CharacterMap::Windows1252);

std::string bytesToUtf8(std::string_view bytes, CharacterMap map = CharacterMap::Windows1252);
// Characters without a byte become `replacement`; invalid UTF-8 sequences too.
std::string utf8ToBytes(
    std::string_view utf8, char replacement = '?', CharacterMap map = CharacterMap::Windows1252);
