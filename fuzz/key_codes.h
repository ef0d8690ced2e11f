// Key codes the hot-key rules can produce, shared by the fuzz targets.
#ifndef OVQ2TYX_FUZZ_KEY_CODES_H_
#define OVQ2TYX_FUZZ_KEY_CODES_H_

#include <cstdint>

namespace ovq2tyx {

// 0 (none recognised) or a code some rule of ParseHotKeyText yields.
inline bool IsProducibleKey(std::uint8_t key) {
  return key == 0 ||                      // none recognised
         (key >= 0x70 && key <= 0x7B) ||  // F1-F12
         (key >= 0x60 && key <= 0x69) ||  // Num0-Num9
         (key >= 0x30 && key <= 0x39) ||  // 0-9
         (key >= 0x41 && key <= 0x5A) ||  // A-Z
         key == 0x26 || key == 0x28 || key == 0x25 || key == 0x27 ||  // arrows
         key == 0x1B || key == 0x09 || key == 0x20 || key == 0x08 ||
         key == 0x0D || key == 0x2D || key == 0x2E || key == 0x23 ||
         key == 0x24 || key == 0x22 || key == 0x21;
}

}  // namespace ovq2tyx

#endif  // OVQ2TYX_FUZZ_KEY_CODES_H_
