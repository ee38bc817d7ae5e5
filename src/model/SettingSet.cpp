#include "model/SettingSet.h"

#include "model/FailedReadException.h"
#include "model/SettingHelper.h"
#include "platform/core/Numbers.h"
#include "platform/core/Text.h"
#include "platform/core/TextStream.h"
#include "platform/core/Thread.h"

namespace vantrel {

namespace {

// The block stores upper bounds (count minus one), not counts.
template <typename Array>
constexpr Integer UpperBound(const Array& values) {
  return static_cast<Integer>(values.size()) - 1;
}

Integer ReadCount(TextInputStream& stream) { return ToInteger(Val(stream.ReadLine())); }

}  // namespace

std::shared_ptr<SettingSet> SettingSet::Copy() const {
  auto copy = std::make_shared<SettingSet>();
  for (std::size_t i = 0; i < Colors.size(); ++i) {
    copy->Colors[i] = Colors[i];
    Yield();
  }
  for (std::size_t i = 0; i < Ints.size(); ++i) {
    copy->Ints[i] = Ints[i];
    Yield();
  }
  for (std::size_t i = 0; i < Booleans.size(); ++i) {
    copy->Booleans[i] = Booleans[i];
    Yield();
  }
  copy->Name = Name;
  return copy;
}

void SettingSet::WriteToStream(TextOutputStream& stream) const {
  stream.WriteLine(Name);
  stream.WriteLine(Str(UpperBound(Colors)));
  for (const Color& color : Colors) {
    stream.WriteLine(SettingHelper::ColorToString(color));
    Yield();
  }
  stream.WriteLine(Str(UpperBound(Ints)));
  for (double value : Ints) {
    stream.WriteLine(Str(value));
    Yield();
  }
  stream.WriteLine(Str(UpperBound(Booleans)));
  for (bool value : Booleans) {
    stream.WriteLine(SettingHelper::BooleanToString(value));
    Yield();
  }
}

void SettingSet::LoadFromStream(TextInputStream& stream) {
  stream.LineLimit(kMaxLineBytes);
  Name = stream.ReadLine();

  if (ReadCount(stream) != UpperBound(Colors)) {
    throw FailedReadException();
  }
  for (Color& color : Colors) {
    color = SettingHelper::StringToColor(stream.ReadLine());
    Yield();
  }

  if (ReadCount(stream) != UpperBound(Ints)) {
    throw FailedReadException();
  }
  for (double& value : Ints) {
    value = Val(stream.ReadLine());
    Yield();
  }

  // A block may hold only two switch lines (count 1); the third switch then
  // keeps the value it had.
  const Integer switchBound = ReadCount(stream);
  if (switchBound != UpperBound(Booleans) && switchBound != UpperBound(Booleans) - 1) {
    throw FailedReadException();
  }
  for (Integer i = 0; i <= switchBound; ++i) {
    Booleans[static_cast<std::size_t>(i)] = SettingHelper::StringToBoolean(stream.ReadLine());
    Yield();
  }
  // An overlong line ends the stream; one early in the block already failed
  // a count, the last switch line is caught here.
  if (stream.LineTooLong()) {
    throw FailedReadException();
  }
}

}  // namespace vantrel
