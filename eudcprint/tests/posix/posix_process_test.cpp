// The posix adapters around the process: document files, and the signals that ask the program to
// end, heard through their pipe and never acted on in the handler.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "platform/posix/posix_platform.h"
#include "platform/posix/termination_signals.h"
#include "tests/support/temp_folder.h"

namespace pictor::posix {
namespace {

TEST(PosixDocumentFiles, AreWrittenEmptyAndCheckedForReading) {
  testing::TempFolder folder;
  const std::string path = folder / "doc.pic";
  std::ofstream(path) << "old content";
  PosixDocumentFiles documents;
  ASSERT_TRUE(documents.WriteEmpty(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  EXPECT_TRUE(documents.CanRead(path));
  EXPECT_FALSE(documents.CanRead(folder / "missing.pic"));
  EXPECT_FALSE(documents.CanRead(folder.Path().string()));  // a folder is no document
  EXPECT_FALSE(documents.WriteEmpty(folder / "no/such/folder/doc.pic"));
}

TEST(TerminationSignals, EachSignalIsReadFromThePipeAndTheOldHandlersComeBack) {
  struct sigaction before {};
  sigaction(SIGTERM, nullptr, &before);
  {
    TerminationSignals signals;
    EXPECT_TRUE(signals.Take().empty());
    std::raise(SIGTERM);
    std::raise(SIGHUP);
    std::raise(SIGINT);
    EXPECT_EQ(signals.Take(), (std::vector<int>{SIGTERM, SIGHUP, SIGINT}));
    EXPECT_TRUE(signals.Take().empty());
    EXPECT_THROW(TerminationSignals(), std::logic_error);  // one at a time
  }
  struct sigaction now {};
  sigaction(SIGTERM, nullptr, &now);
  EXPECT_EQ(now.sa_handler, before.sa_handler);
}

}  // namespace
}  // namespace pictor::posix
