// One fixture for tests that drive the handlers: a fresh fake world and a fresh main window.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "platform/fake/world.h"
#include "shell/main_form.h"

namespace vetrix::testing {

class FormTest : public ::testing::Test {
 protected:
  FormTest() {
    fake::ResetWorld();
    form_ = std::make_unique<MainForm>();
  }

  MainForm& form() { return *form_; }
  SharedState& state() { return form_->s; }
  GestureTable& table() { return form_->s.table; }
  fake::World& world() { return fake::TheWorld(); }

  // Appends a gesture with its list rows, as loading does.
  int AddGesture(std::initializer_list<int> angles, const std::string& action) {
    GestureTable& t = table();
    const int i = t.GestureCount++;
    int k = 0;
    for (int a : angles) t.Angles[i][k++] = a;
    t.SegmentCount[i] = k;
    t.Action[i] = action;
    form_->List1.AddRow(std::to_string(i));
    form_->List2.AddRow(action);
    return i;
  }

 private:
  std::unique_ptr<MainForm> form_;
};

}  // namespace vetrix::testing
