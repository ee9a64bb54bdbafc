// Window message numbers of the mouse buttons, as the tray icon and the hook library report
// them. Fixed by the system; stated here for the code that has no <windows.h>.
#pragma once

#include <cstdint>

namespace vetrix::mouse_messages {

inline constexpr std::int32_t kLeftDown = 513;
inline constexpr std::int32_t kLeftUp = 514;
inline constexpr std::int32_t kLeftDoubleClick = 515;
inline constexpr std::int32_t kRightDown = 516;
inline constexpr std::int32_t kRightUp = 517;
inline constexpr std::int32_t kMiddleDown = 519;
inline constexpr std::int32_t kMiddleUp = 520;
// The same presses and releases over a window's frame or caption.
inline constexpr std::int32_t kNonClientLeftDown = 161;
inline constexpr std::int32_t kNonClientLeftUp = 162;
inline constexpr std::int32_t kNonClientRightDown = 164;
inline constexpr std::int32_t kNonClientRightUp = 165;
inline constexpr std::int32_t kNonClientMiddleDown = 167;
inline constexpr std::int32_t kNonClientMiddleUp = 168;

}  // namespace vetrix::mouse_messages
