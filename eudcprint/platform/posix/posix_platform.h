// pictor's ports on Linux and other POSIX systems: the registry in a registry file, the loaded
// keyboard layouts from its Preload list, the NT family, files by path, messages on stderr, an
// EUDC switch that is always there and does nothing, the typefaces from fontconfig, $WINDIR.
#pragma once

#include <memory>
#include <string>

#include "core/input_methods.h"
#include "core/platform_ports.h"
#include "core/program_state.h"
#include "platform/posix/fontconfig_faces.h"
#include "platform/posix/iconv_codec.h"
#include "platform/posix/registry_file_store.h"

namespace pictor::posix {

class PreloadKeyboardLayouts : public KeyboardLayoutPort {
 public:
  explicit PreloadKeyboardLayouts(RegistryPort& registry) : registry_(registry) {}
  std::vector<std::uint32_t> LoadedLayouts() override;

 private:
  RegistryPort& registry_;
};

class NtPlatformFamily : public PlatformFamilyPort {
 public:
  PlatformFamily Family() override { return PlatformFamily::kWindowsNT; }
};

// Paths are code page 950 as the registry gives them; they are opened as UTF-8 with every
// backslash taken for a slash.
class PosixFileReader : public FileReaderPort {
 public:
  explicit PosixFileReader(const IconvCp950Codec& codec) : codec_(codec) {}
  std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) override;
  std::string LocalPath(std::string_view cp950_path) const;

 private:
  const IconvCp950Codec& codec_;
};

// One line "caption: text" on standard error, in UTF-8.
class StderrMessages : public MessagePort {
 public:
  explicit StderrMessages(const IconvCp950Codec& codec) : codec_(codec) {}
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;

 private:
  const IconvCp950Codec& codec_;
};

// Fonts here link no EUDC files of the platform: the switch exists and changes nothing.
class NoEudcLinking : public EudcLinkPort {
 public:
  bool Find() override { return true; }
  void EnableEudc(bool) override {}
};

// $WINDIR when set, else /etc.
class EnvironmentWindowsDirectory : public WindowsDirectoryPort {
 public:
  explicit EnvironmentWindowsDirectory(const IconvCp950Codec& codec) : codec_(codec) {}
  std::string WindowsDirectory() override;

 private:
  const IconvCp950Codec& codec_;
};

// Document files by their path as the file system names it (UTF-8).
class PosixDocumentFiles : public DocumentFilePort {
 public:
  bool CanRead(std::string_view path) override;
  bool WriteEmpty(std::string_view path) override;
};

// All ports together, over the registry file at `registryPath`.
class PosixPlatform {
 public:
  // Throws regfile::RegFileError or std::system_error when the registry file cannot be read.
  explicit PosixPlatform(std::string registry_path = RegistryFilePath());

  FileRegistry& Registry() { return *registry_; }
  KeyboardLayoutPort& KeyboardLayouts() { return layouts_; }
  PlatformFamilyPort& Family() { return family_; }
  FileReaderPort& Files() { return files_; }
  MessagePort& Messages() { return messages_; }
  DocumentFilePort& DocumentFiles() { return documents_; }
  InputMethodPorts Ports() { return {*registry_, layouts_, files_, messages_}; }
  // Every port, with messages going to `messages` (a window's message boxes, say).
  PictorPorts AllPorts(MessagePort& messages) {
    return {*registry_, layouts_, files_, messages, family_, eudc_link_, fonts_, windows_directory_};
  }
  PictorPorts AllPorts() { return AllPorts(messages_); }

  // Code page 950 text for the terminal, and back.
  std::string ToUtf8(std::string_view cp950) const { return codec_.ToUtf8(cp950); }
  std::string FromUtf8(std::string_view utf8) const { return codec_.FromUtf8(utf8); }
  std::string Describe() const { return "registry file " + registry_->Path(); }
  // The file system's name of a code page 950 path from the registry.
  std::string LocalPath(std::string_view cp950_path) const { return files_.LocalPath(cp950_path); }
  const IconvCp950Codec& Codec() const { return codec_; }

 private:
  IconvCp950Codec codec_;
  std::unique_ptr<FileRegistry> registry_;
  PreloadKeyboardLayouts layouts_;
  NtPlatformFamily family_;
  PosixFileReader files_;
  StderrMessages messages_;
  NoEudcLinking eudc_link_;
  FontconfigFaces fonts_;
  EnvironmentWindowsDirectory windows_directory_;
  PosixDocumentFiles documents_;
};

}  // namespace pictor::posix
