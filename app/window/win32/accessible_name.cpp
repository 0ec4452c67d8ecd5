#include "app/window/win32/accessible_name.h"

#include <oleacc.h>

namespace {

// The identifiers of oleacc.h, defined here: initguid.h in one file of a unity batch would
// define them for every file after it.
constexpr GUID kAccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kAccessibleNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// COM for the length of one call; a thread that has it already keeps it.
class CComForCall {
 public:
  CComForCall() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~CComForCall() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  CComForCall(const CComForCall&) = delete;
  CComForCall& operator=(const CComForCall&) = delete;

 private:
  HRESULT result_;
};

}  // namespace

bool SetAccessibleName(HWND control, const wchar_t* name) {
  const CComForCall com;
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                              kAccPropServicesInterface, reinterpret_cast<void**>(&services)))) {
    return false;
  }
  // The annotation is kept with the window, not with this object.
  const HRESULT set = services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                               CHILDID_SELF, kAccessibleNameProperty, name);
  services->Release();
  return SUCCEEDED(set);
}
