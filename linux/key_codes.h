#pragma once

#include <cstdint>

// Windows virtual-key codes, because the stored hot keys are one-character
// strings of them: the same settings file then works on both systems.
constexpr unsigned kVkMenu = 0x12;  // Alt
constexpr unsigned kVkF10 = 0x79;

// The virtual-key code of an unshifted X keysym (keysym index 0 of the key,
// which names the key rather than the character); 0 when there is none.
unsigned VirtualKeyOf(std::uint32_t keysym);
