#pragma once
// The two window classes that paint themselves: the labels and the banner.
#include <windows.h>

namespace velmora {

inline constexpr char kLabelClass[] = "VelmoraLabel";
inline constexpr char kBannerClass[] = "VelmoraBanner";

// Sent by the banner to its parent when the left button is pressed on it:
// wParam the modifier keys (1 Ctrl, 2 Shift, 4 Alt), lParam the position as
// in WM_LBUTTONDOWN.
inline constexpr UINT kBannerPressed = WM_APP + 1;

// Registers both classes once per process; false when that fails.
bool register_child_classes(HINSTANCE instance);

}  // namespace velmora
