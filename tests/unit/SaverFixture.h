// A saver on the simulated platform, with the clip where the saver looks for it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lifecycle/CloseSaver.h"
#include "lifecycle/Saver.h"
#include "lifecycle/SaverWindows.h"
#include "platform/sim/SimPlatform.h"

namespace kvs::test {

inline constexpr char16_t kBackdrop[] = u"Form1";
inline constexpr char16_t kVideo[] = u"DUZ Edav 1";

using Calls = std::vector<std::string>;

class SaverTest : public ::testing::Test {
 protected:
  SaverTest() { sim.device.AddFile("C:\\Saver\\kvscrtel.avi", {320, 240, 300}); }

  // Starts the saver with this command line, as the process entry does
  // before its message loop.
  void Start(std::u16string commandLine = u"KVSsaver.scr /s") {
    sim.commandLine = std::move(commandLine);
    windows.Start();
  }

  static sim::Event Click(std::u16string title) { return {sim::Event::Kind::Click, title}; }
  static sim::Event Key(std::u16string title) { return {sim::Event::Kind::KeyDown, title}; }
  static sim::Event Move(std::u16string title, float x, float y) {
    return {sim::Event::Kind::MouseMove, title, x, y};
  }
  static sim::Event CloseRequest(std::u16string title) {
    return {sim::Event::Kind::CloseRequest, title};
  }

  sim::SimPlatform sim;
  SaverWindows windows{sim};
};

}  // namespace kvs::test
