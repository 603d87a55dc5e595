// An owning COM interface pointer: it AddRefs a pointer it is given, releases in its destructor,
// and put() releases before handing out the address to fill.
#pragma once

#include <objbase.h>

#include <utility>

namespace tovalin::fake {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Shares `pointer`: takes a reference of its own.
  explicit ComPtr(T* pointer) : pointer_(pointer) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  // Takes over a reference the caller already holds.
  static ComPtr Adopt(T* pointer) {
    ComPtr result;
    result.pointer_ = pointer;
    return result;
  }
  ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  // A pointer to a derived interface or class converts to its base.
  template <typename U>
  ComPtr(ComPtr<U> other) noexcept : pointer_(other.Detach()) {}  // NOLINT: implicit upcast
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // Hands the reference to the caller.
  T* Detach() { return std::exchange(pointer_, nullptr); }
  void reset() {
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }
  // The address of the (released, null) pointer, for an out parameter.
  T** put() {
    reset();
    return &pointer_;
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace tovalin::fake
