#pragma once

#include <cstdint>

#include "display/saver_model.h"

// The stored hot keys are one-character strings of Windows virtual-key
// codes, so that the same settings file works on both systems.
// The virtual-key code of an unshifted X keysym (keysym index 0 of the key,
// which names the key rather than the character); 0 when there is none.
unsigned VirtualKeyOf(std::uint32_t keysym);
