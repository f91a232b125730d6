#pragma once
// The services page's 144 known services in the test prefix, for the tests of the page and
// of the programs that drive it. The prefix has only 14 of them. The fixture creates a dummy
// for each one it lacks, with the start type that the Default preset gives it (and
// "DelayedAutoStart" 1 for a delayed one), as an own-process service of the running test
// program (started, it runs as a test service: test_service.h). When it goes it deletes the dummies, and puts back the start
// type and "DelayedAutoStart" of the prefix's own known services as it found them: the next
// test program works in the same prefix.
//
//   class ServicesPage : public KnownServicesTest {};   // dummies made once for the suite
//   TEST_F(ServicesPage, ...) { ASSERT_TRUE(dummies->Ready()); ... dummies->Reset(); }
//
// Dummies left behind by a test program that crashed are taken over and deleted too.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "services/KnownServices.h"

// A service as the service manager and its registry key hold it.
struct KnownServiceState {
  bool exists = false;
  DWORD startType = 0;                      // SERVICE_AUTO_START ...
  std::optional<DWORD> delayedAutoStart;    // "DelayedAutoStart", when set
  bool operator==(const KnownServiceState&) const = default;
};
KnownServiceState ReadKnownServiceState(const std::string& key);

// Gives a service a start type through the service manager, then sets its
// "DelayedAutoStart" (or deletes the value when `delayedAutoStart` is empty). True when
// both took.
bool ArrangeKnownService(const std::string& key, DWORD startType,
                         std::optional<DWORD> delayedAutoStart);

class KnownServiceDummies {
 public:
  KnownServiceDummies();
  ~KnownServiceDummies();
  KnownServiceDummies(const KnownServiceDummies&) = delete;
  KnownServiceDummies& operator=(const KnownServiceDummies&) = delete;

  // Every known service exists (the test fails otherwise).
  bool Ready() const { return ready_; }
  // The key names of the dummies, in table order.
  const std::vector<std::string>& Dummies() const { return dummies_; }
  bool IsDummy(const std::string& key) const { return dummySet_.count(key) != 0; }

  // Deletes a dummy for a test that needs the service missing, and makes it again, as
  // made at the start, afterwards. The test fails when either does not succeed.
  void Remove(const std::string& key);
  void Recreate(const std::string& key);

  // Puts every known service back in the state the fixture made: the dummies as made, the
  // prefix's own services as found.
  void Reset();

  // Gives every known service a state other than the one `preset` gives it, the most work
  // for a run: a service the preset makes automatic becomes manual with the other
  // "DelayedAutoStart", a manual one disabled, a disabled one manual.
  void ArrangeAllOtherThan(services::Preset preset);

 private:
  bool CreateDummy(const std::string& key);

  struct Own {
    std::string key;
    KnownServiceState state;
  };
  std::vector<Own> own_;
  std::vector<std::string> dummies_;
  std::set<std::string> dummySet_;
  bool ready_ = false;
};

// A test suite whose tests work on the known services: the dummies are made before its
// first test and go after its last.
class KnownServicesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { dummies = new KnownServiceDummies; }
  static void TearDownTestSuite() {
    delete dummies;
    dummies = nullptr;
  }
  static inline KnownServiceDummies* dummies = nullptr;
};
