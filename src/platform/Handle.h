#pragma once
// RAII ownership of Win32 handles: one template, one deleter per handle kind.
#include <windows.h>
#include <objbase.h>
#include <utility>

namespace tw {

// What "no handle" is for a kind: null for most, INVALID_HANDLE_VALUE for find
// and file handles (not a constant expression, hence a policy and not a value).
template <typename T> struct NullIsInvalid {
    static T invalid() noexcept { return T{}; }
};
struct MinusOneIsInvalid {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
};

template <typename T, typename Deleter, typename Invalid = NullIsInvalid<T>>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T h) noexcept : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Invalid::invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, Invalid::invalid()));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Invalid::invalid(); }
    T release() noexcept { return std::exchange(h_, Invalid::invalid()); }
    void reset(T h = Invalid::invalid()) noexcept {
        if (h_ != Invalid::invalid()) Deleter{}(h_);
        h_ = h;
    }
    // For functions that hand a new handle back through a pointer: the old one is freed first.
    T* put() noexcept {
        reset();
        return &h_;
    }

private:
    T h_ = Invalid::invalid();
};

struct GdiObjectDeleter { void operator()(HGDIOBJ h) const noexcept { ::DeleteObject(h); } };
struct DcDeleter { void operator()(HDC h) const noexcept { ::DeleteDC(h); } };
struct KeyDeleter { void operator()(HKEY h) const noexcept { ::RegCloseKey(h); } };
struct FindDeleter { void operator()(HANDLE h) const noexcept { ::FindClose(h); } };
struct FileDeleter { void operator()(HANDLE h) const noexcept { ::CloseHandle(h); } };
struct HookDeleter { void operator()(HHOOK h) const noexcept { ::UnhookWindowsHookEx(h); } };

// Texts the shell hands back in COM task memory (paths of items and known folders).
struct CoTaskMemDeleter { void operator()(PWSTR p) const noexcept { ::CoTaskMemFree(p); } };
using CoTaskText = UniqueHandle<PWSTR, CoTaskMemDeleter>;

// The system dialogs are COM objects: the calling thread joins a
// single-threaded apartment for them (a thread already in one is only
// counted again), and leaves it at the end of the scope exactly when it
// joined here.
class ComApartment {
public:
    ComApartment() noexcept : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    // A thread of the multithreaded apartment (RPC_E_CHANGED_MODE) can still create them.
    HRESULT result() const noexcept { return result_ == RPC_E_CHANGED_MODE ? S_OK : result_; }

private:
    HRESULT result_;
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectDeleter>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using UniqueDc = UniqueHandle<HDC, DcDeleter>;
using UniqueKey = UniqueHandle<HKEY, KeyDeleter>;
using UniqueHook = UniqueHandle<HHOOK, HookDeleter>;
using UniqueFind = UniqueHandle<HANDLE, FindDeleter, MinusOneIsInvalid>;
using UniqueFile = UniqueHandle<HANDLE, FileDeleter, MinusOneIsInvalid>;

// BeginPaint .. EndPaint, also when the painting throws (an area never
// validated would be painted again and again).
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
    HDC get() const noexcept { return dc_; }
    const RECT& area() const noexcept { return ps_.rcPaint; }
    const PAINTSTRUCT& info() const noexcept { return ps_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// GetDC .. ReleaseDC (a window's client area or, with no window, the screen's);
// GetWindowDC .. ReleaseDC for the whole window, frame included.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd, bool wholeWindow = false) noexcept
        : hwnd_(hwnd), dc_(wholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Owns one reference to a COM object.
template <typename T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) reset(std::exchange(o.p_, nullptr));
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    void reset(T* p = nullptr) noexcept {
        if (p_) p_->Release();
        p_ = p;
    }
    T** put() noexcept {
        reset();
        return &p_;
    }

private:
    T* p_ = nullptr;
};

// Runs its action when the scope ends, however it ends (unless dismissed).
template <typename F> class [[nodiscard]] ScopeGuard {
public:
    explicit ScopeGuard(F f) noexcept : f_(std::move(f)) {}
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    ~ScopeGuard() {
        if (active_) f_();
    }
    void dismiss() noexcept { active_ = false; }

private:
    F f_;
    bool active_ = true;
};

// Selects an object into a DC for the lifetime of the guard.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { if (old_) ::SelectObject(dc_, old_); }
private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace tw
