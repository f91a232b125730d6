#pragma once
// A real service of the test prefix pointed at another program for a test's length: this
// test program (which then runs as that service, see test_service.h), or a program that is
// not there (so that the service cannot start). When the object goes, the service is
// stopped and its own program put back.
//
//   RepointedService bits("BITS", true);   // BITS now starts and runs
#include <string>

class RepointedService {
 public:
  RepointedService(const std::string& name, bool runs);
  ~RepointedService();
  RepointedService(const RepointedService&) = delete;
  RepointedService& operator=(const RepointedService&) = delete;

 private:
  std::string name_;
  std::string binary_;
  bool repointed_ = false;
};
