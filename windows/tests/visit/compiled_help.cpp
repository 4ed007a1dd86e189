#include "windows/tests/visit/compiled_help.hpp"

#include <objbase.h>

#include <cstring>
#include <vector>

namespace wintest {
namespace {

// The storage class of compiled help files and its one interface, which the SDK's headers here
// lack; only its fifth method (after IUnknown's) is called.
const CLSID kItStorageClass = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kItStorageInterface = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

}  // namespace

// Outside the unnamed namespace: the compiler sees no implementation of the interface in this
// file, and would take a call through an internal type with none as one that cannot happen.
struct ItStorage : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                 IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                   IStorage**) = 0;
};

CompiledHelp::CompiledHelp(const std::filesystem::path& file) {
  ItStorage* its = nullptr;
  if (FAILED(CoCreateInstance(kItStorageClass, nullptr, CLSCTX_INPROC_SERVER, kItStorageInterface,
                              reinterpret_cast<void**>(&its)))) {
    return;
  }
  its->StgOpenStorage(file.wstring().c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr,
                      0, &storage_);
  its->Release();
}

CompiledHelp::~CompiledHelp() {
  if (storage_ != nullptr) storage_->Release();
}

std::optional<std::string> CompiledHelp::file(const std::wstring& name) const {
  if (storage_ == nullptr) return std::nullopt;
  IStream* stream = nullptr;
  if (FAILED(storage_->OpenStream(name.c_str(), nullptr, STGM_READ, 0, &stream))) {
    return std::nullopt;
  }
  std::string bytes;
  char chunk[4096];
  ULONG read = 0;
  while (SUCCEEDED(stream->Read(chunk, sizeof chunk, &read)) && read > 0) bytes.append(chunk, read);
  stream->Release();
  return bytes;
}

// The map is a byte count and pairs of (context, offset of the page's name in the strings).
std::optional<std::string> CompiledHelp::topicOf(DWORD context) const {
  const std::optional<std::string> map = file(L"#IVB");
  const std::optional<std::string> strings = file(L"#STRINGS");
  if (!map || !strings || map->size() < sizeof(DWORD)) return std::nullopt;
  const std::size_t pairs = (map->size() - sizeof(DWORD)) / (2 * sizeof(DWORD));
  for (std::size_t i = 0; i < pairs; ++i) {
    DWORD pair[2] = {};
    std::memcpy(pair, map->data() + sizeof(DWORD) + i * sizeof pair, sizeof pair);
    if (pair[0] != context || pair[1] >= strings->size()) continue;
    return std::string(strings->c_str() + pair[1]);
  }
  return std::nullopt;
}

}  // namespace wintest
