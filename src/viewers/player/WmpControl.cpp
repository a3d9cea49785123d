#include "viewers/player/WmpControl.h"

#include <ole2.h>
#include <oleauto.h>
#include <wmp.h>

namespace quib {
namespace {

// {6BF52A52-394A-11d3-B153-00C04F79FAA6}
const CLSID kClsidWindowsMediaPlayer = {0x6BF52A52, 0x394A, 0x11d3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};

template <class T>
void Release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// The container side: one object is the client site, the in-place site and
// the frame. The control asks it for the window it lives in and the
// rectangle it fills; everything a document container would add (menus,
// borders, status text) is declined. The site offers the extended in-place
// interface too: Wine's control refuses in-place activation by a site that
// has only the plain one.
class WmpSite final : public IOleClientSite, public IOleInPlaceSiteEx, public IOleInPlaceFrame {
public:
    explicit WmpSite(HWND parent) : parent_(parent) {}

    void SetRect(const RECT& r) { rect_ = r; }
    const RECT& Rect() const { return rect_; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite || riid == IID_IOleInPlaceSiteEx)
            *out = static_cast<IOleInPlaceSiteEx*>(this);
        else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
            *out = static_cast<IOleInPlaceFrame*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        if (c) *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (of the site and of the frame alike)
    STDMETHODIMP GetWindow(HWND* w) override {
        if (!w) return E_POINTER;
        *w = parent_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override {
        if (frame) {
            *frame = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
        }
        if (doc) *doc = nullptr;
        if (pos) *pos = rect_;
        if (clip) *clip = rect_;
        if (info) {
            info->cb = sizeof(OLEINPLACEFRAMEINFO);
            info->fMDIApp = FALSE;
            info->hwndFrame = parent_;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT r) override {
        if (r) rect_ = *r;
        return S_OK;
    }

    // IOleInPlaceSiteEx
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD) override {
        if (noRedraw) *noRedraw = FALSE;
        return S_OK;
    }
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL) override { return S_OK; }
    STDMETHODIMP RequestUIActivate() override { return S_OK; }

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~WmpSite() = default;
    LONG refs_ = 1;
    HWND parent_;
    RECT rect_{0, 0, 0, 0};
};

// The control behind the player's interface. Failures of the control's
// calls are swallowed: the player goes on as if the call had done nothing.
class WmpControl final : public PlayerControl {
public:
    ~WmpControl() override {
        if (controls_) controls_->stop();
        Release(controls_);
        Release(settings_);
        Release(player4_);
        Release(player_);
        Release(inPlace_);
        if (ole_) {
            ole_->Close(OLECLOSE_NOSAVE);
            ole_->SetClientSite(nullptr);
        }
        Release(ole_);
        if (site_) site_->Release();
    }

    bool Create(HWND parent) {
        site_ = new WmpSite(parent);
        RECT r;
        GetClientRect(parent, &r);
        site_->SetRect(r);
        if (FAILED(CoCreateInstance(kClsidWindowsMediaPlayer, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    reinterpret_cast<void**>(&ole_))) ||
            !ole_)
            return false;
        if (FAILED(ole_->QueryInterface(__uuidof(IWMPPlayer), reinterpret_cast<void**>(&player_))) || !player_)
            return false;
        ole_->QueryInterface(__uuidof(IWMPPlayer4), reinterpret_cast<void**>(&player4_));
        if (FAILED(ole_->SetClientSite(site_))) return false;
        if (FAILED(ole_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, parent, &r))) return false;
        ole_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace_));
        player_->get_controls(&controls_);
        player_->get_settings(&settings_);
        return controls_ && settings_;
    }

    HWND Window() const override {
        HWND w = nullptr;
        if (inPlace_) inPlace_->GetWindow(&w);
        return w;
    }
    void SetBounds(const RECT& rect) override {
        site_->SetRect(rect);
        if (inPlace_) inPlace_->SetObjectRects(&rect, &rect);
    }

    std::wstring Url() const override {
        BSTR url = nullptr;
        std::wstring s;
        if (SUCCEEDED(player_->get_URL(&url)) && url) s.assign(url, SysStringLen(url));
        SysFreeString(url);
        return s;
    }
    void SetUrl(const std::wstring& url) override {
        BSTR b = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
        player_->put_URL(b);
        SysFreeString(b);
    }
    int PlayState() const override {
        WMPPlayState state = wmppsUndefined;
        if (FAILED(player_->get_playState(&state))) return 0;
        return static_cast<int>(state);
    }
    void SetUiModeFull() override {
        BSTR mode = SysAllocString(L"full");
        player_->put_uiMode(mode);
        SysFreeString(mode);
    }
    void SetStretchToFit(bool stretch) override {
        if (player4_) player4_->put_stretchToFit(stretch ? VARIANT_TRUE : VARIANT_FALSE);
    }
    void SetFullScreen(bool fullScreen) override { player_->put_fullScreen(fullScreen ? VARIANT_TRUE : VARIANT_FALSE); }

    void Play() override { controls_->play(); }
    void Pause() override { controls_->pause(); }
    void Stop() override { controls_->stop(); }

    void SetAutoStart(bool autoStart) override { settings_->put_autoStart(autoStart ? VARIANT_TRUE : VARIANT_FALSE); }
    void SetRate(double rate) override { settings_->put_rate(rate); }
    int Volume() const override {
        long v = 0;
        if (FAILED(settings_->get_volume(&v))) return 0;
        return static_cast<int>(v);
    }
    void SetVolume(int volume) override { settings_->put_volume(volume); }

private:
    WmpSite* site_ = nullptr;
    IOleObject* ole_ = nullptr;
    IOleInPlaceObject* inPlace_ = nullptr;
    IWMPPlayer* player_ = nullptr;
    IWMPPlayer4* player4_ = nullptr;
    IWMPControls* controls_ = nullptr;
    IWMPSettings* settings_ = nullptr;
};

}  // namespace

std::unique_ptr<PlayerControl> CreateWmpControl(HWND parent) {
    // The control is an apartment-threaded OLE object: the thread must be
    // an OLE apartment (a second call on an initialised thread does nothing).
    const HRESULT ole = OleInitialize(nullptr);
    (void)ole;
    auto control = std::make_unique<WmpControl>();
    if (!control->Create(parent)) return nullptr;
    return control;
}

}  // namespace quib
