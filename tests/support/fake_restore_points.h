#pragma once
// Restore points as the test describes them, and a record of every creation asked for.
//
//   FakeRestorePoints points;
//   platform::Override<platform::RestorePoints> usePoints(points);
//   points.createResult = {WBEM_E_FAILED, std::nullopt};
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/restore_points.h"

class FakeRestorePoints : public platform::RestorePoints {
 public:
  struct Request {
    std::string description;
    int type;
  };

  // What List gives: these descriptions, then this result.
  std::vector<std::string> points;
  HRESULT listResult = S_OK;
  int lists = 0;
  // What every creation gives (a created point by default), and what was asked.
  platform::RestorePointResult createResult{S_OK, 0};
  std::vector<Request> requests;
  // Runs inside each creation, before it returns (to look at the program meanwhile).
  std::function<void()> onCreate;

  HRESULT List(std::vector<std::string>* descriptions) override {
    ++lists;
    descriptions->insert(descriptions->end(), points.begin(), points.end());
    return listResult;
  }
  platform::RestorePointResult Create(const std::string& description, int type) override {
    requests.push_back({description, type});
    if (onCreate) onCreate();
    return createResult;
  }
};
