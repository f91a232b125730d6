#include "ui/FolderBrowser.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

#include "platform/com.h"

namespace ui {
namespace {

constexpr char kWindowClass[] = "QuenvorFolderBrowser";

uint16_t CountAt(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

bool IsWholeItemIDList(const std::vector<uint8_t>& bytes) {
  size_t at = 0;
  while (at + 2 <= bytes.size()) {
    const uint16_t count = CountAt(bytes.data() + at);
    if (count == 0) return at + 2 == bytes.size();
    if (count < 2) return false;
    at += count;
  }
  return false;
}

// The shell's browser in our window: created with the window, destroyed with it. It hears
// the browser's navigations to know which folder is shown.
struct FolderBrowser::Host final : public IExplorerBrowserEvents {
  LONG refs = 1;
  platform::Com<IExplorerBrowser> browser;
  DWORD cookie = 0;
  bool advised = false;
  std::vector<uint8_t> location;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IExplorerBrowserEvents)) {
      *object = static_cast<IExplorerBrowserEvents*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE OnNavigationPending(PCIDLIST_ABSOLUTE) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnViewCreated(IShellView*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnNavigationComplete(PCIDLIST_ABSOLUTE folder) override {
    location.clear();
    if (folder) {
      const auto* bytes = reinterpret_cast<const uint8_t*>(folder);
      location.assign(bytes, bytes + ILGetSize(folder));
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnNavigationFailed(PCIDLIST_ABSOLUTE) override { return S_OK; }

  void Create(HWND window) {
    platform::EnsureCom();
    if (FAILED(CoCreateInstance(CLSID_ExplorerBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IExplorerBrowser, reinterpret_cast<void**>(browser.put()))))
      return;
    RECT r;
    GetClientRect(window, &r);
    FOLDERSETTINGS settings{FVM_DETAILS, 0};
    if (FAILED(browser->Initialize(window, &r, &settings))) {
      browser.Reset();
      return;
    }
    browser->SetOptions(EBO_NOBORDER);
    advised = SUCCEEDED(browser->Advise(this, &cookie));
  }

  void Destroy() {
    if (!browser) return;
    if (advised) browser->Unadvise(cookie);
    advised = false;
    browser->Destroy();
    browser.Reset();
  }
};

FolderBrowser::FolderBrowser(Form* form, const Def& def) : Control(form, def) {}

FolderBrowser::~FolderBrowser() = default;

const char* FolderBrowser::WindowClass() const {
  return RegisterControlClass(kWindowClass, WndProc, IDC_ARROW);
}

void FolderBrowser::AfterCreate() {
  auto* host = new Host;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
  host->Create(hwnd_);
}

FolderBrowser::Host* FolderBrowser::host() {
  Touch();
  return hwnd_ ? reinterpret_cast<Host*>(GetWindowLongPtrA(hwnd_, GWLP_USERDATA)) : nullptr;
}

HRESULT FolderBrowser::Browse(const void* list, UINT flags) {
  Host* h = host();
  if (!h || !h->browser) return E_FAIL;
  // The browser may dispatch messages while it works, and the window may go meanwhile.
  h->AddRef();
  IExplorerBrowser* browser = h->browser.get();
  browser->AddRef();
  const HRESULT hr = browser->BrowseToIDList(static_cast<PCUIDLIST_RELATIVE>(list), flags);
  browser->Release();
  h->Release();
  return hr;
}

HRESULT FolderBrowser::Navigate2(const std::vector<uint8_t>& list) {
  if (!IsWholeItemIDList(list)) return E_INVALIDARG;
  // The shell reads the list in place: an aligned copy of its own, freed afterwards (the
  // browser keeps a copy of its own too).
  void* copy = CoTaskMemAlloc(list.size());
  if (!copy) return E_OUTOFMEMORY;
  std::memcpy(copy, list.data(), list.size());
  const HRESULT hr = Browse(copy, SBSP_ABSOLUTE);
  CoTaskMemFree(copy);
  return hr;
}

HRESULT FolderBrowser::GoBack() { return Browse(nullptr, SBSP_NAVIGATEBACK); }
HRESULT FolderBrowser::GoForward() { return Browse(nullptr, SBSP_NAVIGATEFORWARD); }

std::vector<uint8_t> FolderBrowser::LocationIDList() {
  Host* h = host();
  return h ? h->location : std::vector<uint8_t>();
}

LRESULT CALLBACK FolderBrowser::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<Host*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_SIZE:
      if (host && host->browser) {
        RECT r{0, 0, LOWORD(lParam), HIWORD(lParam)};
        host->browser->SetRect(nullptr, r);
      }
      return 0;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_WINDOW));
      return 1;
    }
    case WM_DESTROY:
      if (host) host->Destroy();
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      if (host) host->Release();
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace ui
