#pragma once
// Real Windows services for tests. Each test program can also run as a minimal service:
//
//   <test program> --service <name> [--hold-start] [--hold-stop]
//
// It reports running and stops on request. With --hold-start it stays "start pending" until
// the test releases it, with --hold-stop it stays "stop pending" after a stop request until
// the test releases it; it accepts pause and continue.
//
// ScopedTestService registers such a service (or one that is never meant to run) with the
// service manager of the test prefix, and stops and deletes it when it goes away (waiting
// until it is gone, so that a later test can make one of the same name):
//
//   ScopedTestService service("QuenvorTestA", SERVICE_DEMAND_START);
//   platform::ServiceControl control;
//   control.SetServiceName(service.Name());
#include <windows.h>

#include <string>

class ScopedTestService {
 public:
  enum Hold { kNoHold = 0, kHoldStart = 1, kHoldStop = 2 };

  // Creates the service as an own-process service of the running test program. A service
  // of that name must not exist yet (the test fails otherwise).
  ScopedTestService(const std::string& name, DWORD startType, int holds = kNoHold);
  ~ScopedTestService();
  ScopedTestService(const ScopedTestService&) = delete;
  ScopedTestService& operator=(const ScopedTestService&) = delete;

  const std::string& Name() const { return name_; }
  bool Created() const { return created_; }

  // Lets a held service go on to running, or to stopped.
  void ReleaseStart();
  void ReleaseStop();

 private:
  std::string name_;
  bool created_ = false;
  HANDLE startRelease_ = nullptr;
  HANDLE stopRelease_ = nullptr;
};

// Marks an existing service for deletion while holding it open, for as long as the object
// lives: the service manager refuses every change to it meanwhile (ChangeServiceConfig gives
// ERROR_SERVICE_MARKED_FOR_DELETE). When the object goes, the service is deleted: a test
// makes it again itself.
class ScopedServiceMarkedForDeletion {
 public:
  explicit ScopedServiceMarkedForDeletion(const std::string& name);
  ~ScopedServiceMarkedForDeletion();
  ScopedServiceMarkedForDeletion(const ScopedServiceMarkedForDeletion&) = delete;
  ScopedServiceMarkedForDeletion& operator=(const ScopedServiceMarkedForDeletion&) = delete;

  bool Marked() const { return marked_; }

 private:
  SC_HANDLE manager_ = nullptr, service_ = nullptr;
  bool marked_ = false;
};

// Waits (at most 30 s) until a service marked for deletion is gone: the service manager
// keeps it, refusing a new service of its name, until its process has ended and its last
// handle is closed. True when it is gone.
bool WaitUntilServiceGone(SC_HANDLE manager, const std::string& name);

// What the service manager says of a service, read directly for checks.
struct ServiceFacts {
  bool exists = false;
  DWORD state = 0;      // SERVICE_RUNNING ...
  DWORD startType = 0;  // SERVICE_AUTO_START ...
};
ServiceFacts ReadServiceFacts(const std::string& name);

// Sets a service's start type and brings it to running or stopped through the service
// manager directly, waiting (at most 30 s) for the state; for arranging a test's start.
bool ArrangeService(const std::string& name, DWORD startType, bool running);

// Runs the service and returns its exit code when argv asks for it; otherwise returns -1
// and the caller goes on as a test program.
int RunTestServiceIfAsked(int argc, char** argv);
