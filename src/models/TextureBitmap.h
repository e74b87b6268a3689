// Textures as bitmap files: "Get Texture" writes a texture out as an 8-bit, 256-colour bitmap
// with its palette; "Set Texture" reads such a bitmap back, finds the header file's palette it
// was drawn with, compresses its pixels into a new block at the end of the texture file and
// points the texture record at it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/Bytes.h"

namespace tablon {

class Database;
class HdrFile;
class TexFile;
class Ui;
struct TextureRecord;

// The widest texture "Get Texture" writes out (a record's width is not trusted beyond it).
constexpr uint32_t kMaxTextureWidth = 4096;
// "Set Texture" refuses records past these as suspicious, and so refuses to write a block
// longer than kMaxTextureBlock: the record it made would be refused by the next replacement.
constexpr uint32_t kMaxTexturePalette = 20;
constexpr uint32_t kMaxTextureBlock = 65536;
constexpr uint32_t kMaxSetTextureWidth = 512;

// The bytes of a bitmap file of a texture: the 14-byte file header ("BM", pixel offset 1082),
// the 40-byte header (8 bits, 256 colours), the colour table (blue, green, red, 0 from the
// palette's red, green, blue), 4 zero bytes, then the rows bottom row first, each padded to a
// multiple of 4 bytes. pixelsTopDown holds width x width bytes.
Bytes TextureBitmapFile(const Bytes& pixelsTopDown, uint32_t width, const uint8_t* palette);

// The bitmap of texture t, or nothing: no such record (silently), or its pixels cannot be read
// ("No texture found at given offset", also for a width of 0 or past kMaxTextureWidth). A
// block that decodes short is filled with zeros, a long one keeps its first width x width.
std::optional<Bytes> GetTextureBitmap(Database& db, int t, Ui& ui);
// "Get Texture": the bitmap, then the save dialog proposing "bm-T.bmp", then the file.
// Whether a file was written.
bool GetTexture(Database& db, int t, Ui& ui);

// "Set Texture": the checks and messages of the replacement, with the bitmap file chosen
// through the open dialog. Every step that shows a message stops with nothing written.
// Returns whether the texture was replaced.
bool SetTexture(Database& db, int t, Ui& ui);
// The same with the bitmap file given.
bool SetTextureFromFile(Database& db, int t, const std::string& path, Ui& ui);

}  // namespace tablon
