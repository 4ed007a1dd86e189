#include <gtest/gtest.h>

#include <cstring>

#include "test_support.hpp"
#include "windows/handles/bstr.hpp"

namespace {

constexpr DWORD kHelpContext = 61191;
const wchar_t* const kDescription = L"Move Sheet Border\\nMove Sheet Border";

struct Documentation {
  std::wstring name, doc, helpFile;
  DWORD context = 0;
};

// The text of a string a call handed out, which it frees.
std::wstring take(BSTR text) {
  const windows::UniqueBstr owned(text);
  return owned ? std::wstring(owned.get(), SysStringLen(owned.get())) : L"";
}

Documentation documentationOf(ITypeInfo* info, MEMBERID id) {
  BSTR name = nullptr, doc = nullptr, file = nullptr;
  Documentation d;
  EXPECT_EQ(info->GetDocumentation(id, &name, &doc, &d.context, &file), S_OK);
  d.name = take(name);
  d.doc = take(doc);
  d.helpFile = take(file);
  return d;
}

// The type that `info`'s implemented interface `index` refers to (-1: a dual's vtable side).
windows::ComPtr<ITypeInfo> implementedType(ITypeInfo* info, UINT index) {
  HREFTYPE ref = 0;
  windows::ComPtr<ITypeInfo> implemented;
  EXPECT_EQ(info->GetRefTypeOfImplType(index, &ref), S_OK);
  EXPECT_EQ(info->GetRefTypeInfo(ref, implemented.put()), S_OK);
  return implemented;
}

class TypeLibrary : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(wintest::componentPath().c_str(), REGKIND_NONE, library_.put()), S_OK);
  }
  windows::ComPtr<ITypeInfo> typeNamed(const wchar_t* name) {
    for (UINT i = 0; i < library_->GetTypeInfoCount(); ++i) {
      windows::ComPtr<ITypeInfo> info;
      library_->GetTypeInfo(i, info.put());
      if (documentationOf(info.get(), MEMBERID_NIL).name == name) return info;
    }
    ADD_FAILURE() << "no type " << std::string(name, name + wcslen(name));
    return {};
  }
  windows::ComPtr<ITypeLib> library_;
};

TEST_F(TypeLibrary, LibraryAttributesNameAndHelp) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(library_->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->lcid, 0x0409u);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 1);
  EXPECT_EQ(attr->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  library_->ReleaseTLibAttr(attr);

  BSTR name = nullptr, doc = nullptr, file = nullptr;
  ASSERT_EQ(library_->GetDocumentation(-1, &name, &doc, nullptr, &file), S_OK);
  EXPECT_EQ(take(name), L"kstQuadrift412");
  const std::wstring help = take(doc);
  EXPECT_TRUE(help.size() > 5 && help.ends_with(L"4.1.2")) << help.size();
  EXPECT_EQ(take(file), L"");
  EXPECT_EQ(library_->GetTypeInfoCount(), 2u);

  // The library's own help context, read from the MSFT header of the embedded resource.
  HRSRC resource = FindResourceW(wintest::component(), MAKEINTRESOURCEW(1), L"TYPELIB");
  ASSERT_NE(resource, nullptr);
  const auto* bytes =
      static_cast<const unsigned char*>(LockResource(LoadResource(wintest::component(), resource)));
  ASSERT_EQ(std::memcmp(bytes, "MSFT", 4), 0);
  DWORD context = 0;
  std::memcpy(&context, bytes + 44, sizeof context);
  EXPECT_EQ(context, kHelpContext);
}

TEST_F(TypeLibrary, DispatchInterfaceItsFlagsAndMembers) {
  const windows::ComPtr<ITypeInfo> info = typeNamed(L"_CQuadrift");
  ASSERT_TRUE(info);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
  EXPECT_EQ(attr->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE |
                                TYPEFLAG_FDISPATCHABLE),
            TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE);
  const Documentation d = documentationOf(info.get(), MEMBERID_NIL);
  EXPECT_EQ(d.doc, kDescription);
  EXPECT_EQ(d.context, kHelpContext);

  struct Member {
    MEMBERID id;
    const wchar_t* name;
    INVOKEKIND kind;
    VARTYPE result;
    std::vector<std::wstring> params;
  };
  const Member expected[] = {
      {0x60030000, L"Command_Initialize", INVOKE_FUNC, VT_VOID, {L"BasicCmd"}},
      {0x68030001, L"HelpFileName", INVOKE_PROPERTYGET, VT_BSTR, {}},
  };
  int found = 0;
  for (WORD i = 0; i < attr->cFuncs; ++i) {
    FUNCDESC* f = nullptr;
    ASSERT_EQ(info->GetFuncDesc(i, &f), S_OK);
    // Only a get: the property is read-only.
    EXPECT_NE(f->invkind, INVOKE_PROPERTYPUT);
    EXPECT_NE(f->invkind, INVOKE_PROPERTYPUTREF);
    for (const Member& m : expected) {
      if (f->memid != m.id) continue;
      ++found;
      BSTR names[4] = {};
      UINT count = 0;
      info->GetNames(f->memid, names, 4, &count);
      std::vector<std::wstring> got;
      for (UINT n = 0; n < count; ++n) got.push_back(take(names[n]));
      ASSERT_FALSE(got.empty());
      EXPECT_EQ(got[0], m.name);
      EXPECT_EQ(std::vector<std::wstring>(got.begin() + 1, got.end()), m.params);
      EXPECT_EQ(f->invkind, m.kind);
      EXPECT_EQ(f->elemdescFunc.tdesc.vt, m.result);
      ASSERT_EQ(f->cParams, static_cast<SHORT>(m.params.size()));
      if (f->cParams == 1) {
        // An object by reference, in and out.
        const ELEMDESC& p = f->lprgelemdescParam[0];
        ASSERT_EQ(p.tdesc.vt, VT_PTR);
        EXPECT_EQ(p.tdesc.lptdesc->vt, VT_DISPATCH);
        EXPECT_EQ(p.paramdesc.wParamFlags & (PARAMFLAG_FIN | PARAMFLAG_FOUT),
                  PARAMFLAG_FIN | PARAMFLAG_FOUT);
      }
    }
    info->ReleaseFuncDesc(f);
  }
  EXPECT_EQ(found, 2);

  // The dual interface's vtable side is OLE-automation compatible and derives from stdole2's
  // IDispatch.
  const windows::ComPtr<ITypeInfo> vtable = implementedType(info.get(), static_cast<UINT>(-1));
  ASSERT_TRUE(vtable);
  TYPEATTR* vattr = nullptr;
  ASSERT_EQ(vtable->GetTypeAttr(&vattr), S_OK);
  EXPECT_EQ(vattr->typekind, TKIND_INTERFACE);
  EXPECT_TRUE(vattr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
  vtable->ReleaseTypeAttr(vattr);
  const windows::ComPtr<ITypeInfo> base = implementedType(vtable.get(), 0);
  ASSERT_TRUE(base);
  windows::ComPtr<ITypeLib> imported;
  UINT index = 0;
  ASSERT_EQ(base->GetContainingTypeLib(imported.put(), &index), S_OK);
  BSTR importedName = nullptr;
  imported->GetDocumentation(-1, &importedName, nullptr, nullptr, nullptr);
  EXPECT_EQ(take(importedName), L"stdole");
  EXPECT_EQ(documentationOf(base.get(), MEMBERID_NIL).name, L"IDispatch");
  info->ReleaseTypeAttr(attr);
}

TEST_F(TypeLibrary, CreatableClassWithItsDefaultInterface) {
  const windows::ComPtr<ITypeInfo> info = typeNamed(L"CQuadrift");
  ASSERT_TRUE(info);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->typekind, TKIND_COCLASS);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FCANCREATE);
  ASSERT_EQ(attr->cImplTypes, 1);
  INT flags = 0;
  ASSERT_EQ(info->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  const windows::ComPtr<ITypeInfo> implemented = implementedType(info.get(), 0);
  ASSERT_TRUE(implemented);
  EXPECT_EQ(documentationOf(implemented.get(), MEMBERID_NIL).name, L"_CQuadrift");
  const Documentation d = documentationOf(info.get(), MEMBERID_NIL);
  EXPECT_EQ(d.doc, kDescription);
  EXPECT_EQ(d.context, kHelpContext);
  info->ReleaseTypeAttr(attr);
}

}  // namespace
