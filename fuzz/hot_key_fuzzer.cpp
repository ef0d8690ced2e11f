// The hot-key parser on arbitrary text: only the four modifier flags, a key
// code that one of the rules produces (or 0), and no key without a blank.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "item/hot_key.h"
#include "key_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ovq2tyx::HotKeyCode code = ovq2tyx::ParseHotKeyText(text);
  const char* fault = nullptr;
  if ((code.modifiers & ~0x0F) != 0) fault = "modifier flags beyond bit 3";
  if (!ovq2tyx::IsProducibleKey(code.key)) fault = "key code no rule produces";
  if (code.key != 0 && text.find(' ') == std::string_view::npos) {
    fault = "key code from a text without a blank";
  }
  if (fault != nullptr) {
    std::fprintf(stderr, "%s: key %02X, modifiers %02X\n", fault, code.key,
                 code.modifiers);
    std::abort();
  }
  return 0;
}
