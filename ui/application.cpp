#include "application.hpp"

#include <algorithm>

namespace tolvane {

Application::Application()
    : owner_(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr)) {}

void Application::addWindow(HWND window) {
  if (std::find(windows_.begin(), windows_.end(), window) == windows_.end())
    windows_.push_back(window);
}

void Application::removeWindow(HWND window) {
  std::erase(windows_, window);
  if (windows_.empty() && loopRunning_) PostQuitMessage(0);
}

bool Application::pumpOneMessage(int& quitCode) {
  MSG message;
  const BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    quitCode = got == 0 ? static_cast<int>(message.wParam) : -1;
    return false;
  }
  // Tab and the other dialog keys move the focus between the controls of the
  // top-level window the message is for.
  const HWND topLevel = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (topLevel && IsDialogMessageW(topLevel, &message)) return true;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

int Application::run() {
  loopRunning_ = true;
  int quitCode = 0;
  if (windows_.empty()) return quitCode;
  while (pumpOneMessage(quitCode)) {
  }
  return quitCode;
}

}  // namespace tolvane
