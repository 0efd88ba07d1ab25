#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "pointrix/app/win32/Window.h"

namespace pointrix {
class ConfigModel;
}
class DeviceLink;

// pointrix's main window: connects to the mouse on a worker thread and shows
// what it read.
class CPointrixDlg : public CWindow {
 public:
  CPointrixDlg();
  ~CPointrixDlg() override;

  bool Create(HINSTANCE instance);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void StartConnect();
  void Paint();

  HFONT font_ = nullptr;
  HFONT titleFont_ = nullptr;
  std::unique_ptr<DeviceLink> link_;
  std::unique_ptr<pointrix::ConfigModel> model_;
  std::thread connect_;
  std::atomic<bool> connecting_{false};
};
