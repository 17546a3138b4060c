// Ports for the tests of the font choice: typefaces, the EUDC switch, the Windows directory and
// the platform family, held in memory, and a registry that can be made to refuse writes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/font_setting_model.h"
#include "core/program_state.h"
#include "tests/support/fake_ports.h"
#include "tests/support/memory_registry.h"

namespace pictor::testing {

class FixedFaces : public FontListPort {
 public:
  std::vector<FontFace> InstalledFaces() override { return faces; }
  std::vector<FontFace> faces;
};

// Records its calls in `log` as "EnableEudc(0)" and "EnableEudc(1)".
class RecordedEudcLink : public EudcLinkPort {
 public:
  explicit RecordedEudcLink(std::vector<std::string>& log, bool found = true) : log_(log), found_(found) {}
  bool Find() override { return found_; }
  void EnableEudc(bool enable) override { log_.push_back(enable ? "EnableEudc(1)" : "EnableEudc(0)"); }

 private:
  std::vector<std::string>& log_;
  bool found_;
};

class FixedWindowsDirectory : public WindowsDirectoryPort {
 public:
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
};

class FixedFamily : public PlatformFamilyPort {
 public:
  PlatformFamily Family() override { return family; }
  PlatformFamily family = PlatformFamily::kWindowsNT;
};

// A memory registry whose keys refuse changes while `refuseWrites` is set, as a registry that the
// user may not write, and whose changes are logged as "Set name" and "Delete name".
class GuardedRegistry : public RegistryPort {
 public:
  explicit GuardedRegistry(std::vector<std::string>& log) : log_(log) {}

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path, RegistryAccess access) override {
    auto key = memory.Open(root, path, access);
    if (!key) return nullptr;
    return std::make_unique<Key>(*this, std::move(key));
  }
  std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::string_view path) override {
    if (refuse_writes) return Open(root, path, RegistryAccess::kAll);
    auto key = memory.Create(root, path);
    if (!key) return nullptr;
    return std::make_unique<Key>(*this, std::move(key));
  }

  MemoryRegistry memory;
  bool refuse_writes = false;

 private:
  class Key : public RegistryKey {
   public:
    Key(GuardedRegistry& owner, std::unique_ptr<RegistryKey> key) : owner_(owner), key_(std::move(key)) {}
    std::optional<std::string> SubkeyAt(std::uint32_t index) override { return key_->SubkeyAt(index); }
    std::optional<RegistryValue> ValueAt(std::uint32_t index) override { return key_->ValueAt(index); }
    std::optional<RegistryValue> Query(std::string_view name) override { return key_->Query(name); }
    bool Set(const RegistryValue& value) override {
      if (owner_.refuse_writes) return false;
      owner_.log_.push_back("Set " + value.name);
      return key_->Set(value);
    }
    bool Delete(std::string_view name) override {
      if (owner_.refuse_writes) return false;
      owner_.log_.push_back("Delete " + std::string(name));
      return key_->Delete(name);
    }

   private:
    GuardedRegistry& owner_;
    std::unique_ptr<RegistryKey> key_;
  };

  std::vector<std::string>& log_;
};

// Everything the choice needs, in memory.
struct ChoiceFixture {
  std::vector<std::string> log;  // EUDC switch and registry changes, in order
  GuardedRegistry registry{log};
  FixedLayouts layouts{{}};
  MemoryFiles files;
  RecordedMessages messages;
  FixedFamily family;
  RecordedEudcLink eudc_link{log};
  FixedFaces fonts;
  FixedWindowsDirectory windows_directory;

  PictorPorts Ports() { return {registry, layouts, files, messages, family, eudc_link, fonts, windows_directory}; }
};

// Picks an association by its display name, or cancels; sees the registry as it is while open.
class ScriptedFontDialog : public FontSettingDialogPort {
 public:
  std::optional<EudcAssociation> Run(FontSettingModel& model) override {
    ++runs;
    offered.clear();
    for (const EudcAssociation& association : model.Associations()) {
      offered.emplace_back(association.displayName.View());
    }
    if (while_open) while_open();
    if (!choose) return std::nullopt;
    for (std::size_t i = 0; i < model.Associations().size(); ++i) {
      if (model.Associations()[i].displayName.View() == *choose) {
        model.Select(i);
        return model.Accept();
      }
    }
    ADD_FAILURE() << "not offered: " << *choose;
    return std::nullopt;
  }
  std::optional<std::string> choose;
  std::function<void()> while_open;
  std::vector<std::string> offered;
  int runs = 0;
};

}  // namespace pictor::testing
