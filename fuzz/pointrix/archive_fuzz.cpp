// Archive strings and numbers of macro and backup files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pointrix/macros/ArchiveString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pointrix::ArchiveReader in(data, size);
  std::wstring text;
  while (in.Remaining() > 0) {
    const size_t before = in.Position();
    if (in.ReadString(text)) {
      pointrix::ArchiveWriter out;
      out.WriteString(text);
      pointrix::ArchiveReader again(out.Bytes());
      std::wstring back;
      if (!again.ReadString(back) || again.Remaining() != 0) __builtin_trap();
      continue;
    }
    if (in.Position() != before) __builtin_trap();  // a failed read never moves on
    uint32_t skip;
    if (!in.ReadU32(skip) && !in.Skip(1)) break;
  }
  return 0;
}
