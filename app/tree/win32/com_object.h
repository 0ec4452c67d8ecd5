#pragma once
// COM objects of our own and the references we hold to COM objects: a reference that is
// released when it goes, and a base that counts an object's references and frees it at its
// last Release.

#include <atomic>
#include <utility>

#include "platform/windows_api.h"
// After windows.h, which they need.
#include <objbase.h>

// One reference to a COM interface, released when it goes; move-only.
template <typename T>
class CComRef {
 public:
  CComRef() = default;
  // Takes over a reference that the caller holds (a new object's first, an out parameter's).
  static CComRef Adopt(T* pointer) {
    CComRef reference;
    reference.pointer_ = pointer;
    return reference;
  }
  ~CComRef() { Reset(); }
  CComRef(CComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  CComRef& operator=(CComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  CComRef(const CComRef&) = delete;
  CComRef& operator=(const CComRef&) = delete;

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // Where a call that hands out a reference puts it; any reference held before goes.
  T** put() {
    Reset();
    return &pointer_;
  }
  void Reset() {
    if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
  }

 private:
  T* pointer_ = nullptr;
};

// The IUnknown of an object of ours that implements the one interface `Interface`.
// Objects are made by Make, with one reference that the caller's CComRef holds, and free
// themselves at their last Release; nothing else deletes them.
template <typename Derived, typename Interface>
class CComObject : public Interface {
 public:
  template <typename... Arguments>
  static CComRef<Interface> Make(Arguments&&... arguments) {
    Derived* object = new Derived(std::forward<Arguments>(arguments)...);
    return CComRef<Interface>::Adopt(object);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, __uuidof(Interface))) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 protected:
  CComObject() = default;
  virtual ~CComObject() = default;
  CComObject(const CComObject&) = delete;
  CComObject& operator=(const CComObject&) = delete;

 private:
  // Other threads may hold references too: a target's proxies release from where they run.
  std::atomic<ULONG> references_{1};
};
