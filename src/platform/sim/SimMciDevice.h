// A stand-in for the MCI video device: honours the commands the saver sends,
// records every command and reply, and lets a test script failures, replies
// and the passing of time.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvs::sim {

// MCI result codes the device answers with.
inline constexpr std::int32_t kMciOk = 0;
inline constexpr std::int32_t kMciUnrecognizedCommand = 261;
inline constexpr std::int32_t kMciInvalidDeviceName = 263;
inline constexpr std::int32_t kMciBadParameter = 274;
inline constexpr std::int32_t kMciFileNotFound = 275;

struct ClipFile {
  int width = 320;
  int height = 240;
  int frames = 300;
};

class SimMciDevice {
 public:
  struct Exchange {
    std::string command;
    std::optional<std::string> reply;  // none: the reply area was left as it was
    std::int32_t result = kMciOk;
  };

  void AddFile(std::string path, ClipFile clip);
  // Every later command whose verb (its first word, any case) is `verb` gets
  // this result and reply instead of being carried out.
  void Script(std::string verb, std::int32_t result, std::optional<std::string> reply);
  // The clip plays on by this many frames (it stops at its end).
  void AdvanceFrames(int frames);

  // Carries out one command string.
  Exchange Execute(std::string_view command);

  const std::vector<Exchange>& Log() const { return log_; }
  std::vector<std::string> Commands() const;

  // The open clip, for assertions.
  struct OpenClip {
    std::string alias;
    ClipFile file;
    std::int32_t windowHandle = 0;
    int destination[4] = {0, 0, 0, 0};
    int position = 0;
    bool playing = false;
  };
  const std::optional<OpenClip>& Clip() const { return clip_; }

 private:
  Exchange Run(std::string_view command);

  std::map<std::string, ClipFile> files_;
  std::map<std::string, std::pair<std::int32_t, std::optional<std::string>>> scripted_;
  std::optional<OpenClip> clip_;
  std::vector<Exchange> log_;
};

}  // namespace kvs::sim
