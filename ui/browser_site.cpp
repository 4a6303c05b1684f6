#include "browser_site.hpp"

namespace tolvane {

ComPtr<BrowserSite> BrowserSite::create(HWND container) {
  ComPtr<BrowserSite> site;
  *site.put() = new BrowserSite(container);
  return site;
}

// --- IUnknown -------------------------------------------------------------

STDMETHODIMP BrowserSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) BrowserSite::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) BrowserSite::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) delete this;
  return remaining;
}

// --- IOleClientSite: the container keeps no documents to save or name -------

STDMETHODIMP BrowserSite::SaveObject() { return E_NOTIMPL; }

STDMETHODIMP BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP BrowserSite::ShowObject() { return S_OK; }
STDMETHODIMP BrowserSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP BrowserSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// --- IOleWindow -------------------------------------------------------------

STDMETHODIMP BrowserSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = container_;
  return S_OK;
}

STDMETHODIMP BrowserSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// --- IOleInPlaceSite: the control may always run in place, filling the
// container's client area ------------------------------------------------------

STDMETHODIMP BrowserSite::CanInPlaceActivate() { return S_OK; }
STDMETHODIMP BrowserSite::OnInPlaceActivate() { return S_OK; }
STDMETHODIMP BrowserSite::OnUIActivate() { return S_OK; }

STDMETHODIMP BrowserSite::GetWindowContext(IOleInPlaceFrame** frame,
                                           IOleInPlaceUIWindow** document, RECT* position,
                                           RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) {
  if (!frame || !document || !position || !clip || !frameInfo) return E_POINTER;
  *frame = this;
  AddRef();
  *document = nullptr;  // no document window between the frame and the control
  GetClientRect(container_, position);
  *clip = *position;
  frameInfo->fMDIApp = FALSE;
  frameInfo->hwndFrame = GetAncestor(container_, GA_ROOT);  // owner of the control's dialogs
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP BrowserSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP BrowserSite::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP BrowserSite::OnInPlaceDeactivate() { return S_OK; }
STDMETHODIMP BrowserSite::DiscardUndoState() { return E_NOTIMPL; }
STDMETHODIMP BrowserSite::DeactivateAndUndo() { return E_NOTIMPL; }

// The container's size is the window layout's business, not the control's.
STDMETHODIMP BrowserSite::OnPosRectChange(const RECT*) { return S_OK; }

// --- IOleInPlaceUIWindow: no toolbars, so no border space to give -----------

STDMETHODIMP BrowserSite::GetBorder(RECT*) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP BrowserSite::RequestBorderSpace(const BORDERWIDTHS*) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP BrowserSite::SetBorderSpace(const BORDERWIDTHS*) { return OLE_E_INVALIDRECT; }
STDMETHODIMP BrowserSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

// --- IOleInPlaceFrame: no menu, status bar or accelerators ------------------

STDMETHODIMP BrowserSite::InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) { return E_NOTIMPL; }
STDMETHODIMP BrowserSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP BrowserSite::RemoveMenus(HMENU) { return E_NOTIMPL; }
STDMETHODIMP BrowserSite::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP BrowserSite::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP BrowserSite::TranslateAccelerator(MSG*, WORD) { return S_FALSE; }

}  // namespace tolvane
