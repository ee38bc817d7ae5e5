#pragma once
// One document's drawing and rendering settings: eight colours, eight numbers
// and three switches, plus a name carried through files unchanged. The meaning
// of every index is fixed by the catalogue (SettingsCatalogue.h).
#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "platform/core/Color.h"

namespace vantrel {

class TextInputStream;
class TextOutputStream;

class SettingSet {
 public:
  // The longest line of a block that reads. The name is the block's only
  // free text, and nothing in the program sets it (it comes from files);
  // every other line the writer makes is a few dozen bytes at most.
  static constexpr std::size_t kMaxLineBytes = 4096;

  // Fixed sizes: users change elements, never the arrays. A new set is all
  // black, zero and False with an empty name; documents fill in the defaults.
  std::array<Color, 8> Colors{};
  std::array<double, 8> Ints{};  // Doubles despite the name: a grid density of 2.5 stays 2.5
  std::array<bool, 3> Booleans{};
  std::string Name;

  // An independent deep copy.
  std::shared_ptr<SettingSet> Copy() const;

  // The settings block: 23 lines (name, counts and values).
  void WriteToStream(TextOutputStream& stream) const;
  // Reads a settings block into this set, taking lines of at most
  // kMaxLineBytes (the stream keeps that limit); throws FailedReadException
  // when a count line does not match or a line is longer.
  void LoadFromStream(TextInputStream& stream);
};

}  // namespace vantrel
