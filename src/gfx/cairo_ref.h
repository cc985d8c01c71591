// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Owning handles of Cairo's reference-counted objects: a handle holds one reference, a
// copy takes another, and the last one gone destroys the object.

#include <cairo.h>

#include <utility>

namespace gfx {

template <class T, T* (*Reference)(T*), void (*Destroy)(T*)> class CairoRef {
public:
    CairoRef() = default;
    // Takes over a reference the caller holds (what a *_create function returns).
    static CairoRef Adopt(T* object) { return CairoRef(object); }
    // Takes a reference of its own to an object someone else holds.
    static CairoRef Share(T* object) { return CairoRef(object ? Reference(object) : nullptr); }

    CairoRef(const CairoRef& other) : object_(other.object_ ? Reference(other.object_) : nullptr) {}
    CairoRef(CairoRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    CairoRef& operator=(CairoRef other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~CairoRef() {
        if (object_) Destroy(object_);
    }

    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void reset() { *this = CairoRef(); }

private:
    explicit CairoRef(T* object) : object_(object) {}
    T* object_ = nullptr;
};

using SurfaceRef = CairoRef<cairo_surface_t, cairo_surface_reference, cairo_surface_destroy>;
using ContextRef = CairoRef<cairo_t, cairo_reference, cairo_destroy>;
using PatternRef = CairoRef<cairo_pattern_t, cairo_pattern_reference, cairo_pattern_destroy>;

} // namespace gfx
