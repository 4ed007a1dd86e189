// Late-bound calls across IDispatch in both directions: the component calling a COM object,
// and a COM caller calling one of the component's own objects.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "automation/failure.hpp"
#include "automation/variant.hpp"
#include "test_support.hpp"
#include "windows/automation/argument_list.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/handles/bstr.hpp"
#include "windows/handles/com_ptr.hpp"
#include "windows/handles/unique.hpp"

namespace {

using automation::Variant;

TEST(Automation, ArgumentsGoLastFirstPutsAreNamedDoublesByReference) {
  wintest::FakeObject fake;
  std::vector<VARTYPE> types;
  fake.members[5] = [&](const DISPPARAMS& p) {
    for (UINT i = 0; i < p.cArgs; ++i) types.push_back(V_VT(&p.rgvarg[i]));
    *V_R8REF(&p.rgvarg[0]) = 2.5;  // the callee writes through the reference
    return wintest::bstrVariant(L"done");
  };
  DISPID named = 0;
  fake.members[6] = [&](const DISPPARAMS& p) {
    named = p.cNamedArgs == 1 ? p.rgdispidNamedArgs[0] : 0;
    return VARIANT{};
  };
  {
    const automation::Object object = windows::ComDispatch::wrap(&fake);
    double slot = 0;
    const Variant result =
        object.call(5, {Variant(std::int16_t{1}), Variant("two"), Variant::byRef(slot)});
    EXPECT_EQ(types, (std::vector<VARTYPE>{VT_BYREF | VT_R8, VT_BSTR, VT_I2}));
    EXPECT_EQ(slot, 2.5);
    EXPECT_EQ(result, Variant("done"));
    EXPECT_EQ(fake.lastFlags, DISPATCH_METHOD);

    object.put(6, Variant(3.0));
    EXPECT_EQ(named, DISPID_PROPERTYPUT);
    EXPECT_EQ(fake.lastFlags, DISPATCH_PROPERTYPUT);
    object.put(6, Variant(windows::ComDispatch::wrap(&fake)));
    EXPECT_EQ(fake.lastFlags, DISPATCH_PROPERTYPUTREF);

    // Names are looked up once per object.
    fake.names[L"Caption"] = 9;
    EXPECT_EQ(object.idOfName("Caption"), 9);
    EXPECT_EQ(object.idOfName("Caption"), 9);
    EXPECT_EQ(fake.nameLookups, 1);
    EXPECT_THROW(object.idOfName("Nothing"), automation::Failure);
  }
  EXPECT_EQ(fake.references(), 1u);
}

TEST(Automation, CalleeFailuresBecomeFailuresWithEveryField) {
  wintest::FakeObject fake;
  const windows::UniqueBstr source(SysAllocString(L"Host.Sheet"));
  const windows::UniqueBstr description(SysAllocString(L"Blatt gesperrt"));
  const windows::UniqueBstr helpFile(SysAllocString(L"C:\\Help\\host.chm"));
  fake.exception.bstrSource = source.get();
  fake.exception.bstrDescription = description.get();
  fake.exception.bstrHelpFile = helpFile.get();
  fake.exception.dwHelpContext = 4711;
  struct Case {
    HRESULT status;
    WORD wCode;
    SCODE scode;
    std::int32_t number;
    std::string description;
  };
  const Case cases[] = {
      {DISP_E_EXCEPTION, 0, MAKE_HRESULT(1, FACILITY_CONTROL, 1004), 1004, "Blatt gesperrt"},
      {DISP_E_EXCEPTION, 1005, 0, 1005, "Blatt gesperrt"},
      {DISP_E_EXCEPTION, 0, E_ACCESSDENIED, static_cast<std::int32_t>(E_ACCESSDENIED),
       "Blatt gesperrt"},
      {DISP_E_MEMBERNOTFOUND, 0, 0, 438, "Object doesn't support this property or method"},
      {DISP_E_TYPEMISMATCH, 0, 0, 13, "Type mismatch"},
      {DISP_E_BADPARAMCOUNT, 0, 0, 450, "Wrong number of arguments or invalid property assignment"},
      {DISP_E_PARAMNOTOPTIONAL, 0, 0, 449, "Argument not optional"},
      {DISP_E_PARAMNOTFOUND, 0, 0, 448, "Named argument not found"},
      {DISP_E_NONAMEDARGS, 0, 0, 446, "Object doesn't support named arguments"},
      {DISP_E_BADINDEX, 0, 0, 9, "Subscript out of range"},
      {E_FAIL, 0, 0, static_cast<std::int32_t>(E_FAIL), "Automation error"},
  };
  const automation::Object object = windows::ComDispatch::wrap(&fake);
  for (const Case& c : cases) {
    fake.failures[7] = c.status;
    fake.exception.wCode = c.wCode;
    fake.exception.scode = c.scode;
    try {
      object.get(7);
      ADD_FAILURE() << "no failure for " << c.number;
    } catch (const automation::Failure& f) {
      EXPECT_EQ(f.number, c.number);
      EXPECT_EQ(f.description, c.description);
      if (c.status == DISP_E_EXCEPTION) {
        EXPECT_EQ(f.source, "Host.Sheet");
        EXPECT_EQ(f.helpFile, "C:\\Help\\host.chm");
        EXPECT_EQ(f.helpContext, 4711);
      }
    }
  }
}

// One of the component's own objects: records what it is called with, fails on member 2.
struct Own final : automation::Dispatch {
  Variant invoke(automation::DispId id, automation::InvokeKind kind,
                 std::span<Variant> args) override {
    calls.push_back({id, kind, std::vector<Variant>(args.begin(), args.end())});
    if (id == 2) throw automation::Failure(1001, "Wert ungültig", "kstQuadrift", "q.chm", 7);
    return Variant(std::int32_t{42});
  }
  std::optional<automation::DispId> idOfName(std::string_view name) override {
    if (name == "Value") return 3;
    return std::nullopt;
  }
  struct Call {
    automation::DispId id;
    automation::InvokeKind kind;
    std::vector<Variant> args;
  };
  std::vector<Call> calls;
};

TEST(Automation, OwnObjectsServeComCallersAndReportFailuresAsExceptInfo) {
  auto own = std::make_shared<Own>();
  // A reference of the test's own, whose release must be the last.
  IDispatch* bridge = windows::dispatchOf(automation::Object(own)).detach();
  ASSERT_NE(bridge, nullptr);
  // Handed back, it is the component's own object again.
  EXPECT_EQ(windows::ComDispatch::wrap(bridge).get(), own.get());

  windows::VariantArray args(2);
  args[0] = wintest::bstrVariant(L"last");
  V_VT(&args[1]) = VT_I4;
  V_I4(&args[1]) = 1;
  DISPPARAMS params{args.data(), nullptr, 2, 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  ASSERT_EQ(bridge->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &info, nullptr),
            S_OK);
  EXPECT_EQ(V_VT(&result), VT_I4);
  EXPECT_EQ(V_I4(&result), 42);
  ASSERT_EQ(own->calls.size(), 1u);
  EXPECT_EQ(own->calls[0].args, (std::vector<Variant>{Variant(std::int32_t{1}), Variant("last")}));

  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS put{args.data(), &putId, 1, 1};
  ASSERT_EQ(bridge->Invoke(3, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, &info, nullptr),
            S_OK);
  EXPECT_EQ(own->calls.back().kind, automation::InvokeKind::Put);
  EXPECT_EQ(own->calls.back().args, (std::vector<Variant>{Variant("last")}));

  // A double by reference stays one: what the callee writes reaches the caller.
  double slot = 0;
  VARIANT out;
  V_VT(&out) = VT_BYREF | VT_R8;
  V_R8REF(&out) = &slot;
  DISPPARAMS byRef{&out, nullptr, 1, 0};
  ASSERT_EQ(bridge->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &byRef, nullptr, &info, nullptr), S_OK);
  EXPECT_EQ(own->calls.back().args, (std::vector<Variant>{Variant::byRef(slot)}));

  EXPECT_EQ(bridge->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info, nullptr),
            DISP_E_EXCEPTION);
  const automation::Failure back = windows::failureOf(DISP_E_EXCEPTION, &info);
  EXPECT_EQ(back.number, 1001);
  EXPECT_EQ(back.description, "Wert ungültig");
  EXPECT_EQ(back.source, "kstQuadrift");
  EXPECT_EQ(back.helpFile, "q.chm");
  EXPECT_EQ(back.helpContext, 7);

  wchar_t value[] = L"Value";
  LPOLESTR names[] = {value};
  DISPID id = 0;
  EXPECT_EQ(bridge->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXPECT_EQ(id, 3);
  EXPECT_EQ(bridge->Release(), 0u);
}

// The bridge's argument slots: more than the eight held in place arrive in order, and a value
// that cannot convert fails the call with every object converted before it released again.
TEST(Automation, BridgeArgumentsBeyondTheSlotsAndFailedConversions) {
  auto own = std::make_shared<Own>();
  IDispatch* bridge = windows::dispatchOf(automation::Object(own)).detach();
  wintest::FakeObject fake;
  VARIANT args[10];
  for (int i = 0; i < 10; ++i) {
    V_VT(&args[i]) = VT_I4;
    V_I4(&args[i]) = i;  // COM's order: the last argument first
  }
  EXCEPINFO info{};
  DISPPARAMS ten{args, nullptr, 10, 0};
  ASSERT_EQ(bridge->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &ten, nullptr, &info, nullptr), S_OK);
  std::vector<Variant> expected;
  for (std::int32_t i = 9; i >= 0; --i) expected.emplace_back(i);
  EXPECT_EQ(own->calls.back().args, expected);

  for (const UINT count : {3u, 10u}) {
    V_VT(&args[0]) = VT_ERROR;  // the last argument: not a missing optional one
    V_ERROR(&args[0]) = E_FAIL;
    V_VT(&args[count - 1]) = VT_DISPATCH;  // the first: converted before the failure
    V_DISPATCH(&args[count - 1]) = &fake;
    DISPPARAMS params{args, nullptr, count, 0};
    EXPECT_EQ(bridge->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(windows::failureOf(DISP_E_EXCEPTION, &info).number,
              automation::errnum::kTypeMismatch);
    EXPECT_EQ(fake.references(), 1u) << count << " arguments";
  }
  EXPECT_EQ(own->calls.size(), 1u);
  EXPECT_EQ(bridge->Release(), 0u);
}

std::vector<int> closedHandles;
void recordClose(int handle) {
  closedHandles.push_back(handle);
}

// The owners release what they hold exactly once: when reset, assigned over, asked for a place
// to put a new one, or gone; never what they gave up.
TEST(Automation, OwnersReleaseWhatTheyHoldOnce) {
  wintest::FakeObject fake;  // one reference, the test's
  windows::ComPtr<IDispatch> a, b;
  struct Step {
    const char* what;
    std::function<void()> run;
    ULONG references;  // the fake's count after the step
  };
  const Step steps[] = {
      {"a reference of its own", [&] { a = windows::ComPtr<IDispatch>(&fake); }, 2},
      {"moved", [&] { b = std::move(a); }, 2},
      {"queried", [&] { a = b.query<IDispatch>(); }, 3},
      {"assigned one it lacks", [&] { a = b.query<IDispatch>(IID_IClassFactory); }, 2},
      {"put", [&] { fake.QueryInterface(IID_IDispatch, b.putVoid()); }, 2},
      {"detached and adopted", [&] { a = windows::ComPtr<IDispatch>::adopt(b.detach()); }, 2},
      {"reset", [&] { a.reset(); }, 1},
  };
  for (const Step& step : steps) {
    step.run();
    EXPECT_EQ(fake.references(), step.references) << step.what;
  }
  EXPECT_FALSE(a);
  EXPECT_FALSE(b);

  using Recorded = windows::Unique<int, &recordClose, -1>;
  {
    Recorded handle(1);
    handle.reset(2);
    Recorded moved(std::move(handle));
    moved = Recorded(3);
    *moved.put() = 4;
    EXPECT_EQ(closedHandles, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(moved.release(), 4);
    *moved.put() = 5;
  }
  EXPECT_EQ(closedHandles, (std::vector<int>{1, 2, 3, 5}));
}

}  // namespace
