#include "app/tree/win32/clip_data_object.h"

#include "platform/handles.h"
// After windows.h, which it needs.
#include <shlobj.h>

const CClipBlock* CClipDataObject::Find(const FORMATETC* format, HRESULT& refusal) const {
  refusal = DV_E_FORMATETC;
  if (format == nullptr) {
    refusal = E_INVALIDARG;
    return nullptr;
  }
  if (format->dwAspect != DVASPECT_CONTENT) {
    refusal = DV_E_DVASPECT;
    return nullptr;
  }
  for (const CClipBlock& block : blocks_) {
    if (block.format != format->cfFormat) continue;
    if ((format->tymed & TYMED_HGLOBAL) == 0) {
      refusal = DV_E_TYMED;
      return nullptr;
    }
    return &block;
  }
  return nullptr;
}

HRESULT CClipDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (medium == nullptr) return E_INVALIDARG;
  HRESULT refusal = S_OK;
  const CClipBlock* block = Find(format, refusal);
  if (block == nullptr) return refusal;
  UniqueGlobal memory = NewClipboardBlock(block->bytes);
  if (!memory) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory.release();  // the caller's now, freed by its ReleaseStgMedium
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT CClipDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
  return E_NOTIMPL;
}

HRESULT CClipDataObject::QueryGetData(FORMATETC* format) {
  HRESULT refusal = S_OK;
  return Find(format, refusal) != nullptr ? S_OK : refusal;
}

HRESULT CClipDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical) {
  if (canonical == nullptr) return E_INVALIDARG;
  canonical->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT CClipDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
  return E_NOTIMPL;
}

HRESULT CClipDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (formats == nullptr) return E_INVALIDARG;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> offered;
  offered.reserve(blocks_.size());
  for (const CClipBlock& block : blocks_) {
    offered.push_back(FORMATETC{static_cast<CLIPFORMAT>(block.format), nullptr, DVASPECT_CONTENT,
                                -1, TYMED_HGLOBAL});
  }
  return SHCreateStdEnumFmtEtc(static_cast<UINT>(offered.size()), offered.data(), formats);
}

HRESULT CClipDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CClipDataObject::DUnadvise(DWORD) {
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CClipDataObject::EnumDAdvise(IEnumSTATDATA**) {
  return OLE_E_ADVISENOTSUPPORTED;
}
