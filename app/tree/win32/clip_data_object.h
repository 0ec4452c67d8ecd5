#pragma once
// CClipDataObject: a clip's content as OLE's data transfer object, which a drag hands to
// the program it is dropped on.

#include <utility>
#include <vector>

#include "app/tree/win32/com_object.h"
#include "store/clipboard_blocks.h"
// After windows.h, which it needs.
#include <objidl.h>

// Made by Make(std::vector<CClipBlock> blocks): gives each of `blocks` (in their order,
// the first preferred) as movable memory (TYMED_HGLOBAL) of the content aspect, a new
// block at every GetData, which the caller then owns. Nothing can be set on it, nor advised.
class CClipDataObject final : public CComObject<CClipDataObject, IDataObject> {
 public:
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                    DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advises) override;

 private:
  friend class CComObject<CClipDataObject, IDataObject>;
  explicit CClipDataObject(std::vector<CClipBlock> blocks) : blocks_(std::move(blocks)) {}

  // The block that `format` asks for, or null with the reason in `refusal`.
  const CClipBlock* Find(const FORMATETC* format, HRESULT& refusal) const;

  std::vector<CClipBlock> blocks_;
};
