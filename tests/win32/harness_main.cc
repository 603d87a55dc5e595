// The harness's entry point: the main thread is a single-threaded apartment, as the editor's user
// interface thread is, so the add-in's dialogs and COM objects run as they do in the editor.
#include <windows.h>

#include <gtest/gtest.h>
#include <ole2.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (FAILED(OleInitialize(nullptr))) {
    std::fprintf(stderr, "OleInitialize failed\n");
    return 2;
  }
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
