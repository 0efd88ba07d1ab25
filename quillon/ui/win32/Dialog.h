#pragma once

#include <windows.h>

// The least dialog framework quillon needs: a modal dialog from a template
// whose messages reach virtual handlers of the derived class.
class CMrDialog {
 public:
  CMrDialog(HINSTANCE instance, UINT templateId) : instance_(instance), templateId_(templateId) {}
  virtual ~CMrDialog() = default;
  CMrDialog(const CMrDialog&) = delete;
  CMrDialog& operator=(const CMrDialog&) = delete;

  // Runs the dialog; returns the code given to EndDialog, or -1.
  INT_PTR DoModal(HWND parent = nullptr);
  HWND GetHwnd() const { return hwnd_; }
  void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  // Returns true when handled.
  virtual bool OnCommand(WORD id, WORD code, HWND control);
  virtual void OnTimer(UINT_PTR /*id*/) {}
  virtual void OnDestroy() {}
  // Everything else; returns true when handled and sets result.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
  }

  HINSTANCE instance_;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  UINT templateId_;
  HWND hwnd_ = nullptr;
};
