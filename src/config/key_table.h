// The key table the mouse receives: one 4-byte slot per button function, built from the
// button fields of the record on every Save.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/records.h"

namespace gm {

// Type, P1, P2, P3 of one slot.
using SlotBytes = std::array<std::uint8_t, 4>;

// Slot types.
inline constexpr std::uint8_t kSlotKeyboard = 0x00;
inline constexpr std::uint8_t kSlotMouseButton = 0x01;
inline constexpr std::uint8_t kSlotConsumer = 0x03;
inline constexpr std::uint8_t kSlotDpiAction = 0x07;
inline constexpr std::uint8_t kSlotMacro = 0x09;
inline constexpr std::uint8_t kSlotDoubleClick = 0x0A;

// Slots 14 and 15 hold fixed mouse-button codes whatever the buttons do.
inline constexpr std::size_t kFixedSlotA = 14;
inline constexpr std::size_t kFixedSlotB = 15;
inline constexpr SlotBytes kFixedSlotABytes = {kSlotMouseButton, 0x00, 0xF7, 0x00};
inline constexpr SlotBytes kFixedSlotBBytes = {kSlotMouseButton, 0x00, 0xF8, 0x00};

// The four bytes of one button's function. A category above 15 or a Windows action above 6
// (an old or damaged file) gives 00 00 00 00.
SlotBytes EncodeButtonFunction(const SettingsRecord& record, std::size_t button);

// All 19 buttons in their slots, the two fixed slots, every other byte 0.
KeyTable EncodeKeyTable(const SettingsRecord& record);

}  // namespace gm
