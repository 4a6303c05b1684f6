// The small OLE container that the web browser control lives in: one COM
// object that is at once the control's client site, its in-place site and its
// in-place frame. The control needs these three to run in place inside a child
// window of ours; the container offers no menus, toolbars, status bar or
// document window, and answers the calls about them with "not offered".
#pragma once

#include <windows.h>
#include <ole2.h>

#include "scoped_handles.hpp"

namespace tolvane {

class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  // A new site for a control shown in the client area of container; the
  // returned pointer holds the only reference.
  static ComPtr<BrowserSite> create(HWND container);

  BrowserSite(const BrowserSite&) = delete;
  BrowserSite& operator=(const BrowserSite&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL showing) override;
  STDMETHODIMP RequestNewObjectLayout() override;

  // IOleWindow, shared by the in-place site and the frame: both are the
  // container window.
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override;
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) override;
  STDMETHODIMP Scroll(SIZE extent) override;
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override;
  STDMETHODIMP DeactivateAndUndo() override;
  STDMETHODIMP OnPosRectChange(const RECT* position) override;

  // IOleInPlaceUIWindow
  STDMETHODIMP GetBorder(RECT* border) override;
  STDMETHODIMP RequestBorderSpace(const BORDERWIDTHS* widths) override;
  STDMETHODIMP SetBorderSpace(const BORDERWIDTHS* widths) override;
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* activeObject, LPCOLESTR name) override;

  // IOleInPlaceFrame
  STDMETHODIMP InsertMenus(HMENU shared, OLEMENUGROUPWIDTHS* widths) override;
  STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
  STDMETHODIMP RemoveMenus(HMENU shared) override;
  STDMETHODIMP SetStatusText(LPCOLESTR text) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;
  STDMETHODIMP TranslateAccelerator(MSG* message, WORD id) override;

 private:
  explicit BrowserSite(HWND container) : container_(container) {}
  ~BrowserSite() = default;

  ULONG references_ = 1;
  HWND container_;
};

}  // namespace tolvane
