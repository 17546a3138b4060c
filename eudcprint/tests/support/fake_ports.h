// Ports for tests: files and messages held in memory.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/platform_ports.h"

namespace pictor::testing {

class MemoryFiles : public FileReaderPort {
 public:
  void Put(const std::string& path, std::vector<std::uint8_t> bytes) { files_[path] = std::move(bytes); }
  std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) override {
    reads.emplace_back(path);
    const auto found = files_.find(std::string(path));
    if (found == files_.end()) return std::nullopt;
    return found->second;
  }
  std::vector<std::string> reads;

 private:
  std::map<std::string, std::vector<std::uint8_t>> files_;
};

class RecordedMessages : public MessagePort {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
    friend bool operator==(const Message&, const Message&) = default;
  };
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override {
    messages.push_back({std::string(text), std::string(caption), icon});
  }
  std::vector<Message> messages;
};

class FixedLayouts : public KeyboardLayoutPort {
 public:
  explicit FixedLayouts(std::vector<std::uint32_t> layouts) : layouts_(std::move(layouts)) {}
  std::vector<std::uint32_t> LoadedLayouts() override { return layouts_; }

 private:
  std::vector<std::uint32_t> layouts_;
};

}  // namespace pictor::testing
