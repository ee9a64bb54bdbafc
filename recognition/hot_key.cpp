#include "recognition/hot_key.h"

namespace vetrix {

bool RefreshHotKey(MainForm&) {
  return true;
}
void RegisterHotKeyAtStartup(MainForm&) {}

}  // namespace vetrix
