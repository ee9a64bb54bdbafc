// Timers of the main window: WM_TIMER reaches the window procedure, which runs the handler
// registered under the timer's id.
#include "platform/controls.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

struct Timer::Impl {
  Window::Impl* window = nullptr;
  UINT_PTR id = 0;
  UINT interval = 0;
  bool running = false;
};

Timer::Timer(Window& owner, std::uint32_t intervalMs) : impl_(std::make_unique<Impl>()) {
  impl_->window = &owner.impl();
  impl_->id = impl_->window->nextTimerId++;
  impl_->interval = intervalMs;
  impl_->window->timers[impl_->id] = &onTimer;
}
Timer::~Timer() {
  Stop();
  impl_->window->timers.erase(impl_->id);
}
void Timer::Start() {
  // SetTimer on a running timer would restart its interval.
  if (impl_->running) return;
  SetTimer(impl_->window->hwnd, impl_->id, impl_->interval, nullptr);
  impl_->running = true;
}
void Timer::Stop() {
  if (!impl_->running) return;
  KillTimer(impl_->window->hwnd, impl_->id);
  impl_->running = false;
}
bool Timer::Running() const { return impl_->running; }

}  // namespace vetrix::platform
