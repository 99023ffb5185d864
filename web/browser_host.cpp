#include "web/browser_host.h"
#include "web/web_addresses.h"
#include <ole2.h>
#include <oleidl.h>
#include <new>

const char BrowserHostClass[] = "QelvanHtmlHost";

namespace {

// The OLE container of the control: the client site, the in-place site and the frame it asks
// for, and nothing more. One object per host, owned by the host window.
class BrowserSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit BrowserSite(HWND host) : host_(host) {}

    IOleObject* object = nullptr;
    IWebBrowser2* browser = nullptr;

    // IUnknown, shared by the three interfaces.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
            *out = static_cast<IOleInPlaceFrame*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override { if (out) *out = nullptr; return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** out) override { if (out) *out = nullptr; return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, for the in-place site and the frame alike.
    STDMETHODIMP GetWindow(HWND* out) override
    {
        if (!out) return E_POINTER;
        *out = host_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        if (frame) {
            *frame = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
        }
        if (doc) *doc = nullptr;
        if (position) GetClientRect(host_, position);
        if (clip) GetClientRect(host_, clip);
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = GetAncestor(host_, GA_ROOT);
            info->haccel = NULL;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, no tool space.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    void Close()
    {
        if (browser) {
            browser->Release();
            browser = nullptr;
        }
        if (object) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
            object->Release();
            object = nullptr;
        }
    }

private:
    virtual ~BrowserSite() = default;
    HWND host_;
    ULONG refs_ = 1;
};

BrowserSite* SiteOf(HWND host) { return reinterpret_cast<BrowserSite*>(GetWindowLongPtrA(host, 0)); }

LRESULT CALLBACK BrowserHostProc(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        if (BrowserSite* site = SiteOf(host)) {
            SetWindowLongPtrA(host, 0, 0);
            site->Close();
            site->Release();
        }
    }
    return DefWindowProcA(host, message, wParam, lParam);
}

}  // namespace

bool RegisterBrowserHostClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BrowserHostProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = BrowserHostClass;
    return RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool EmbedBrowser(HWND host)
{
    if (!host || SiteOf(host)) return false;
    IWebBrowser2* browser = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, NULL, CLSCTX_INPROC_SERVER, IID_IWebBrowser2,
                                reinterpret_cast<void**>(&browser))) || !browser)
        return false;
    IOleObject* object = nullptr;
    if (FAILED(browser->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object))) || !object) {
        browser->Release();
        return false;
    }
    BrowserSite* site = new (std::nothrow) BrowserSite(host);
    if (!site) {
        object->Release();
        browser->Release();
        return false;
    }
    site->object = object;
    site->browser = browser;
    SetWindowLongPtrA(host, 0, reinterpret_cast<LONG_PTR>(site));
    object->SetClientSite(static_cast<IOleClientSite*>(site));
    RECT area;
    GetClientRect(host, &area);
    object->DoVerb(OLEIVERB_INPLACEACTIVATE, NULL, static_cast<IOleClientSite*>(site), 0, host, &area);
    browser->put_Visible(VARIANT_TRUE);

    browser->put_Offline(VARIANT_TRUE);
    browser->put_Silent(VARIANT_TRUE);
    VARIANT zoom;
    VariantInit(&zoom);
    zoom.vt = VT_I4;
    zoom.lVal = 2;
    browser->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &zoom, NULL);

    BSTR address = SysAllocString(L"" CATALOGUE_PAGE_URL);
    VARIANT flags, empty;
    VariantInit(&flags);
    flags.vt = VT_I4;
    flags.lVal = 0;
    VariantInit(&empty);
    browser->Navigate(address, &flags, &empty, &empty, &empty);
    SysFreeString(address);
    return true;
}

IWebBrowser2* BrowserOfHost(HWND host)
{
    BrowserSite* site = SiteOf(host);
    return site ? site->browser : nullptr;
}
