// The simulated MCI video device.
#include "platform/sim/SimMciDevice.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kvs::sim {

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Splits a command into words at blanks; a word that begins with a double
// quote runs to the closing quote (the quotes are dropped).
std::vector<std::string> Words(std::string_view command) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < command.size()) {
    if (command[at] == ' ') {
      ++at;
      continue;
    }
    if (command[at] == '"') {
      const std::size_t end = command.find('"', at + 1);
      if (end == std::string_view::npos) return {};  // unbalanced quote: no valid command
      words.emplace_back(command.substr(at + 1, end - at - 1));
      at = end + 1;
      continue;
    }
    const std::size_t end = std::min(command.find(' ', at), command.size());
    words.emplace_back(command.substr(at, end - at));
    at = end;
  }
  return words;
}

std::optional<int> Integer(const std::string& word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

SimMciDevice::Exchange Failure(std::string_view command, std::int32_t result) {
  return {std::string(command), std::string(), result};
}

}  // namespace

void SimMciDevice::AddFile(std::string path, ClipFile clip) { files_[Lower(path)] = clip; }

void SimMciDevice::Script(std::string verb, std::int32_t result, std::optional<std::string> reply) {
  scripted_[Lower(verb)] = {result, std::move(reply)};
}

void SimMciDevice::AdvanceFrames(int frames) {
  if (!clip_ || !clip_->playing) return;
  clip_->position = std::min(clip_->position + frames, clip_->file.frames);
  if (clip_->position == clip_->file.frames) clip_->playing = false;
}

std::vector<std::string> SimMciDevice::Commands() const {
  std::vector<std::string> commands;
  for (const Exchange& exchange : log_) commands.push_back(exchange.command);
  return commands;
}

SimMciDevice::Exchange SimMciDevice::Execute(std::string_view command) {
  Exchange exchange = Run(command);
  log_.push_back(exchange);
  return exchange;
}

SimMciDevice::Exchange SimMciDevice::Run(std::string_view command) {
  const std::vector<std::string> words = Words(command);
  if (words.empty()) return Failure(command, kMciUnrecognizedCommand);
  const std::string verb = Lower(words[0]);

  if (const auto scripted = scripted_.find(verb); scripted != scripted_.end()) {
    return {std::string(command), scripted->second.second, scripted->second.first};
  }

  if (verb == "open") {
    if (words.size() != 4 || Lower(words[2]) != "alias") return Failure(command, kMciBadParameter);
    const auto file = files_.find(Lower(words[1]));
    if (file == files_.end()) return Failure(command, kMciFileNotFound);
    clip_ = OpenClip{.alias = Lower(words[3]), .file = file->second};
    clip_->destination[2] = file->second.width;
    clip_->destination[3] = file->second.height;
    return {std::string(command), std::string(), kMciOk};
  }

  if (words.size() < 2 || !clip_ || Lower(words[1]) != clip_->alias) {
    return Failure(command, kMciInvalidDeviceName);
  }
  const std::string rest = words.size() > 2 ? Lower(words[2]) : std::string();

  if (verb == "window" && rest == "handle" && words.size() == 4) {
    const std::optional<int> handle = Integer(words[3]);
    if (!handle) return Failure(command, kMciBadParameter);
    clip_->windowHandle = *handle;
    return {std::string(command), std::string(), kMciOk};
  }
  if (verb == "where" && rest == "destination" && words.size() == 3) {
    const int* d = clip_->destination;
    return {std::string(command),
            std::to_string(d[0]) + " " + std::to_string(d[1]) + " " + std::to_string(d[2]) + " " +
                std::to_string(d[3]),
            kMciOk};
  }
  if (verb == "put" && rest == "destination" && words.size() == 8 && Lower(words[3]) == "at") {
    int rectangle[4];
    for (int i = 0; i < 4; ++i) {
      const std::optional<int> value = Integer(words[static_cast<std::size_t>(4 + i)]);
      if (!value) return Failure(command, kMciBadParameter);
      rectangle[i] = *value;
    }
    std::copy(rectangle, rectangle + 4, clip_->destination);
    return {std::string(command), std::string(), kMciOk};
  }
  if (verb == "play" && rest == "from" && words.size() == 4) {
    const std::optional<int> from = Integer(words[3]);
    if (!from) return Failure(command, kMciBadParameter);
    clip_->position = std::clamp(*from, 0, clip_->file.frames);
    clip_->playing = clip_->position < clip_->file.frames;
    return {std::string(command), std::string(), kMciOk};
  }
  if (verb == "status" && rest == "position" && words.size() == 3) {
    return {std::string(command), std::to_string(clip_->position), kMciOk};
  }
  if (verb == "close" && words.size() == 2) {
    clip_.reset();
    return {std::string(command), std::string(), kMciOk};
  }
  return Failure(command, kMciBadParameter);
}

}  // namespace kvs::sim
