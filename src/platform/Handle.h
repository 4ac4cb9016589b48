#pragma once
// RAII ownership of Win32 handles: one template, one deleter per handle kind.
#include <windows.h>
#include <utility>

namespace tw {

template <typename T, typename Deleter, T Invalid = T{}>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T h) noexcept : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Invalid)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, Invalid));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Invalid; }
    T release() noexcept { return std::exchange(h_, Invalid); }
    void reset(T h = Invalid) noexcept {
        if (h_ != Invalid) Deleter{}(h_);
        h_ = h;
    }

private:
    T h_ = Invalid;
};

struct GdiObjectDeleter { void operator()(HGDIOBJ h) const noexcept { ::DeleteObject(h); } };
struct DcDeleter { void operator()(HDC h) const noexcept { ::DeleteDC(h); } };
struct KeyDeleter { void operator()(HKEY h) const noexcept { ::RegCloseKey(h); } };
struct FindDeleter { void operator()(HANDLE h) const noexcept { ::FindClose(h); } };
struct FileDeleter { void operator()(HANDLE h) const noexcept { ::CloseHandle(h); } };
struct IconDeleter { void operator()(HICON h) const noexcept { ::DestroyIcon(h); } };
struct WindowDeleter { void operator()(HWND h) const noexcept { ::DestroyWindow(h); } };

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectDeleter>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using UniquePen = UniqueHandle<HPEN, GdiObjectDeleter>;
using UniqueRgn = UniqueHandle<HRGN, GdiObjectDeleter>;
using UniqueDc = UniqueHandle<HDC, DcDeleter>;
using UniqueKey = UniqueHandle<HKEY, KeyDeleter>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;

// Find handles and file handles use INVALID_HANDLE_VALUE as their "none".
class UniqueFind {
public:
    UniqueFind() = default;
    explicit UniqueFind(HANDLE h) : h_(h) {}
    UniqueFind(const UniqueFind&) = delete;
    UniqueFind& operator=(const UniqueFind&) = delete;
    ~UniqueFind() { if (h_ != INVALID_HANDLE_VALUE) ::FindClose(h_); }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

class UniqueFile {
public:
    UniqueFile() = default;
    explicit UniqueFile(HANDLE h) : h_(h) {}
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    UniqueFile(UniqueFile&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    ~UniqueFile() { if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_); }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
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

// BeginPaint for the lifetime of the guard: EndPaint runs also when the
// painting throws, so the caret comes back and the DC is released.
class PaintGuard {
public:
    explicit PaintGuard(HWND h) : hwnd_(h), dc_(::BeginPaint(h, &ps_)) {}
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    ~PaintGuard() { ::EndPaint(hwnd_, &ps_); }
    HDC dc() const { return dc_; }
private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Runs a clean-up when the scope ends, however it ends.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { f_(); }
private:
    F f_;
};

} // namespace tw
