// Owners for Windows handles and COM references. Each closes what it holds
// exactly once, on every path out of the scope that took it; none can be
// copied, all can be moved.
#pragma once

#include <windows.h>

#include <utility>

namespace tidemark {

// Owns one handle described by Traits: Traits::Invalid() is the value that
// holds nothing, Traits::Close(h) gives a valid handle back.
template <typename Traits>
class UniqueResource {
 public:
  using Handle = typename Traits::Handle;

  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  ~UniqueResource() { Reset(); }

  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle get() const { return handle_; }
  bool valid() const { return Traits::IsValid(handle_); }
  explicit operator bool() const { return valid(); }

  // Gives up ownership without closing.
  Handle Release() {
    Handle handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }

  void Reset(Handle handle = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }

  // For APIs that return the handle through an out-parameter; whatever was
  // held before is closed first.
  Handle* Receive() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// HANDLEs, for which both INVALID_HANDLE_VALUE and null count as "nothing",
// since Windows uses either depending on the call.
template <auto CloseFunction>
struct HandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { CloseFunction(h); }
};

// Kernel handles from CreateFileA and the like.
using UniqueHandle = UniqueResource<HandleTraits<&CloseHandle>>;

// Searches started with FindFirstFileA.
using FindHandle = UniqueResource<HandleTraits<&FindClose>>;

// Traits for the many handle kinds where null holds nothing and one function
// gives the handle back.
template <typename HandleType, auto CloseFunction>
struct NullInvalidTraits {
  using Handle = HandleType;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { CloseFunction(h); }
};

// Memory that a Windows call allocated with LocalAlloc for the caller to free.
using LocalMemory = UniqueResource<NullInvalidTraits<HLOCAL, &LocalFree>>;

// Registry keys that we opened or created; predefined roots are never held.
using RegKey = UniqueResource<NullInvalidTraits<HKEY, &RegCloseKey>>;

// One counted reference to a COM interface.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }

  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  void Reset() {
    if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
  }

  // For CoCreateInstance and QueryInterface, which hand out a reference
  // through a void** out-parameter.
  void** ReceiveVoid() {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

// COM for the calling thread as a single-threaded apartment, for the life of
// this object. CoUninitialize runs only when the initialisation succeeded
// (S_FALSE, "already initialised", counts as success and must be balanced).
class ScopedCoInitialize {
 public:
  ScopedCoInitialize() : result_(CoInitialize(nullptr)) {}
  ~ScopedCoInitialize() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ScopedCoInitialize(const ScopedCoInitialize&) = delete;
  ScopedCoInitialize& operator=(const ScopedCoInitialize&) = delete;
  // A moved-from object no longer balances the initialisation.
  ScopedCoInitialize(ScopedCoInitialize&& other) noexcept
      : result_(std::exchange(other.result_, CO_E_NOTINITIALIZED)) {}
  ScopedCoInitialize& operator=(ScopedCoInitialize&&) = delete;

  bool succeeded() const { return SUCCEEDED(result_); }
  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

}  // namespace tidemark
